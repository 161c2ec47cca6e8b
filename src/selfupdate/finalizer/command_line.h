#pragma once

// Splitting of the finalizer's command line: blanks (0x20 only) separate
// tokens; a token that begins with a double quote runs to the next one (or
// the end) and loses its quotes, and the character after the closing quote
// starts the next token; other tokens run to the next blank, quotes and all.
// No escapes. Plain C strings, so the finalizer stays small.

// Splits line into tokens stored one after another, each zero-terminated, in
// buffer, which must hold strlen(line) + 1 bytes. Up to maxTokens of them are
// pointed to by tokens. Returns the number of tokens, all counted.
int SplitCommandLine(const char* line, char* buffer, const char** tokens, int maxTokens);
