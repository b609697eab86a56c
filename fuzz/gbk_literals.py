#!/usr/bin/env python3
"""Copies a UTF-8 C++ source with every non-ASCII character of its string literals written as
octal escapes of the character's GBK bytes.

GCC turns such literals into GBK itself (-fexec-charset=GBK); clang has no execution character
set but UTF-8, so the fuzz build compiles these copies instead. An octal escape is at most three
digits, so no escape can swallow the character after it, and a GBK trail byte 0x5C stays a byte
rather than becoming a backslash of the source. Non-ASCII text in comments is kept as it is.
Non-ASCII text anywhere else (identifiers, character literals, raw or prefixed string literals)
is refused: it has no single sound translation.

usage: gbk_literals.py INPUT OUTPUT
"""

import sys


def fail(path, line, what):
    sys.exit(f"{path}:{line}: {what}")


def transcode(text, path):
    out = []
    i = 0
    line = 1
    n = len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(text[i:end])
            i = end
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(text[i:end])
            line += text.count("\n", i, end)
            i = end
            continue
        if c == '"' or c == "'":
            prefix_start = i
            while prefix_start > 0 and (text[prefix_start - 1].isalnum() or text[prefix_start - 1] == "_"):
                prefix_start -= 1
            prefix = text[prefix_start:i]
            j = i + 1
            body = []
            while j < n and text[j] != c:
                if text[j] == "\\":
                    body.append(text[j : j + 2])
                    j += 2
                    continue
                if text[j] == "\n":
                    fail(path, line, "unterminated literal")
                body.append(text[j])
                j += 1
            literal = "".join(body)
            if any(ord(ch) > 0x7F for ch in literal):
                if c == "'" or prefix:
                    fail(path, line, f"non-ASCII text in a {prefix}{c} literal")
                literal = "".join(
                    "".join(f"\\{b:03o}" for b in ch.encode("gbk")) if ord(ch) > 0x7F else ch
                    for ch in literal
                )
            out.append(c + literal + c)
            i = j + 1
            continue
        if ord(c) > 0x7F:
            fail(path, line, "non-ASCII text outside a literal or comment")
        out.append(c)
        i += 1
    return "".join(out)


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    result = transcode(text, source)
    with open(target, "w", encoding="utf-8") as f:
        f.write(f'#line 1 "{source}"\n')
        f.write(result)


if __name__ == "__main__":
    main()
