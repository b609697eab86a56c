// The row tokenizer that every reader of a catalogue row uses.
#include "model/split_row.h"

void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens) {
    tokens.clear();
    if (maxTokens == 0) return;
    std::string token;
    ForEachToken(std::string_view(bytes, length), token, [&](std::string_view text) {
        tokens.emplace_back(text);
        return tokens.size() < maxTokens;
    });
}
