#pragma once

#include <optional>
#include <string>

// The client side of a published port, opened by its link and set to raw
// mode as the program does.
class PortClient {
  public:
    explicit PortClient(const std::string& path);
    ~PortClient();
    PortClient(const PortClient&) = delete;
    PortClient& operator=(const PortClient&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    void Send(const std::string& command); // adds the carriage return
    // The text before the next carriage return, which is taken out with it;
    // nothing when no carriage return comes within the time.
    std::optional<std::string> ReadLine(int timeoutMs = 2000);
    // Every byte that arrives until the line stays quiet for quietMs.
    std::string ReadUntilQuiet(int quietMs);

  private:
    bool Fill(int timeoutMs);

    int fd_ = -1;
    std::string buffer_;
};
