#pragma once

#include <string>

namespace sim {

// The link "comN" in the ports folder through which the program finds a
// device by its port number.
class PortLink {
  public:
    // DORVEL_PORTS when set, else ~/.dorvel/ports.
    static std::string DefaultFolder();

    // Creates the folder when needed and the link to target; a link left
    // behind by an earlier run is replaced. Throws std::runtime_error.
    PortLink(const std::string& folder, int port, const std::string& target);
    // Removes the link, unless something else has taken its place meanwhile.
    ~PortLink();
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::string target_;
};

} // namespace sim
