#pragma once

#include <QByteArray>

namespace corvanta::platform {

// What the program's receive loop needs of a serial line: the code of the event that woke
// it, reads of one frame's length, throwing the waiting bytes away, and commands out. The
// serial port implements it; tests put a model of the line in its place.
class FramePort {
  public:
    static constexpr int kDataReceived = 2;

    virtual ~FramePort() = default;

    virtual bool isPortOpen() const = 0;
    // Code of the last communication event (kDataReceived), 0 before the first one.
    virtual int eventCode() const = 0;
    // At most this many bytes per read of input(); 0 reads everything waiting.
    virtual void setInputLength(int length) = 0;
    // Reads and removes at most input-length waiting bytes (none when the port is closed).
    virtual QByteArray input() = 0;
    // Only 0 is accepted: it throws every waiting byte away.
    virtual void setInBufferCount(int count) = 0;
    // Sends the bytes before returning; a closed port is an error.
    virtual void output(const QByteArray& bytes) = 0;
};

}  // namespace corvanta::platform
