// The row tokenizer that every reader of a catalogue row uses.
#include "model/split_row.h"

void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens) {
    tokens.clear();
    std::string current;
    for (std::size_t pos = 0; pos < length && tokens.size() < maxTokens; ++pos) {
        const char byte = bytes[pos];
        if (byte == '|' || byte == '\n') {
            if (!current.empty()) tokens.push_back(std::move(current));
            current.clear();
        } else if (byte != '\t') {
            current.push_back(byte);
        }
    }
    if (!current.empty() && tokens.size() < maxTokens) tokens.push_back(std::move(current));
}
