// SplitRow: tokens are never empty and hold no separator or tab; joined, they give the input
// without separators and tabs; there is one per run of bytes between separators that holds
// more than tabs; and a row made of the tokens joined by '|' splits into the same tokens.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/split_row.h"

namespace {
bool IsSeparator(char byte) {
    return byte == '|' || byte == '\n';
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view row = fuzz::AsText(data, size);
    std::vector<std::string> tokens{"left over"};
    SplitRow(row.data(), row.size(), tokens);

    std::string kept;
    std::size_t fields = 0;
    bool inField = false;
    for (const char byte : row) {
        if (IsSeparator(byte)) {
            inField = false;
        } else if (byte != '\t') {
            kept += byte;
            if (!inField) ++fields;
            inField = true;
        }
    }
    std::string joined;
    std::string concatenated;
    for (const std::string& token : tokens) {
        fuzz::Check(!token.empty(), "empty token");
        fuzz::Check(token.find_first_of("|\n\t") == std::string::npos, "separator in a token");
        joined += (joined.empty() ? "" : "|") + token;
        concatenated += token;
    }
    fuzz::Check(concatenated == kept, "tokens lose or add bytes");
    fuzz::Check(tokens.size() == fields, "one token per field");
    std::vector<std::string> again;
    SplitRow(joined.data(), joined.size(), again);
    fuzz::Check(again == tokens, "joined tokens split differently");
    return 0;
}
