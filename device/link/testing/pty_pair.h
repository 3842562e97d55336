#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// A pseudo-terminal for tests of the real port: the master side plays the device, the port
// under test opens slave().
class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && !slave_.empty(); }
    const std::string& slave() const { return slave_; }
    int master() const { return master_; }
    void closeMaster();

    // Writes all the bytes to the slave's input.
    bool send(std::string_view bytes);
    // What the slave sent, collected until `count` bytes have come or a generous bound passed.
    std::string receive(size_t count);

  private:
    int master_ = -1;
    std::string slave_;
};

}  // namespace quorvane
