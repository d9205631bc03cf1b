#include "tools/stelpod-sim/RecordFile.h"

#include <fstream>
#include <stdexcept>

namespace sim {

std::vector<std::string> RecordFile::Read(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read the record file " + path);
    std::vector<std::string> records;
    std::string line;
    while (std::getline(file, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == 'M')
            line.erase(0, 1);
        records.push_back(line);
    }
    if (file.bad())
        throw std::runtime_error("cannot read the record file " + path);
    return records;
}

} // namespace sim
