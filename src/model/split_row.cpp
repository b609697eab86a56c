// The row tokenizer that every reader of a catalogue row uses.
#include "model/split_row.h"

void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens) {
    std::size_t count = 0;
    std::string spliced;
    if (maxTokens > 0) {
        ForEachToken(std::string_view(bytes, length), spliced, [&](std::string_view token) {
            if (count < tokens.size()) {
                tokens[count].assign(token);
            } else {
                tokens.emplace_back(token);
            }
            return ++count < maxTokens;
        });
    }
    tokens.resize(count);
}
