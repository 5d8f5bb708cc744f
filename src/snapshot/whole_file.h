#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes a file under a temporary name beside `path` and renames it into
// place, so `path` is either whole or untouched. `write` returns false when
// it fails, saying why in its second argument.
void writeWholeFile(const std::string& path, const std::function<bool(FILE*, std::string&)>& write);

void writeWholeTextFile(const std::string& path, const std::string& text);
