#pragma once

#include <string>
#include <vector>

namespace sim {

// An event memory kept in a text file: one record a line, as the unit sends
// it ("M" and 16 hexadecimal digits) or without the "M". Empty lines and lines
// starting with "#" are skipped; other lines are kept as they are, so a file
// can also hold malformed records on purpose.
class RecordFile {
  public:
    // Throws std::runtime_error when the file cannot be read.
    static std::vector<std::string> Read(const std::string& path);
};

} // namespace sim
