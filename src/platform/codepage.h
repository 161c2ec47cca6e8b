#pragma once

#include <string>

// Text in the system's OEM code page as text in its ANSI code page. Where
// the system has no such pages, a fixed table of OEM 437 to ANSI 1252.
std::string ConvertOemToAnsi(const std::string& oem);
