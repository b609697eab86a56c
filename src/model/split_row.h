// The row tokenizer that every reader of a catalogue row uses.
#ifndef TRUV_MODEL_SPLIT_ROW_H
#define TRUV_MODEL_SPLIT_ROW_H

#include <cstddef>
#include <string>
#include <vector>

/// Splits `length` bytes of a row at '|' and LF into `tokens` (emptied first). Tabs are
/// dropped wherever they stand; empty tokens never appear; spaces are kept. The scan is
/// byte-wise: catalogue rows hold no double-byte character with such a byte inside. The scan
/// stops once `maxTokens` tokens are found.
void SplitRow(const char* bytes, std::size_t length, std::vector<std::string>& tokens,
              std::size_t maxTokens = static_cast<std::size_t>(-1));

#endif  // TRUV_MODEL_SPLIT_ROW_H
