#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include "platform/error.h"
#include "platform/serial_port.h"
#include "tests/platform_serial/pty_helpers.h"

namespace {

using corvanta::platform::SerialPort;
using corvanta::simulator::PseudoTerminal;
using corvanta::simulator::SimulatorOptions;
using namespace corvanta::testing;

constexpr int kFrame = 404;

class SerialReceiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication();
        port_.setSettings("115200,N,8,1");
        port_.setInputLength(kFrame);
        port_.setReceiveThreshold(kFrame);
        port_.setPortOpen(true);
    }
    void send(const QByteArray& bytes) { writeMaster(pty_.masterFd(), bytes); }

    PseudoTerminal pty_;
    SerialPort port_{[this](int) { return QString::fromStdString(pty_.slavePath()); }};
};

QByteArray frameOf(char fill) {
    return QByteArray("HSE\x01", 4) + QByteArray(kFrame - 4, fill);
}

TEST_F(SerialReceiveTest, TheEventWaitsForTheThresholdAndInputReadsOneLength) {
    std::vector<QByteArray> reads;
    QObject::connect(&port_, &SerialPort::communicationEvent, [&] {
        EXPECT_EQ(port_.eventCode(), SerialPort::kDataReceived);
        reads.push_back(port_.input());
    });
    const QByteArray frame = frameOf('a');
    send(frame.first(200));
    EXPECT_TRUE(waitUntil([&] { return port_.inBufferCount() == 200; }));
    runEvents(50);
    EXPECT_TRUE(reads.empty());
    send(frame.sliced(200) + "HSE");
    ASSERT_TRUE(waitUntil([&] { return reads.size() == 1; }));
    EXPECT_EQ(reads[0], frame);
    EXPECT_EQ(port_.inBufferCount(), 3);  // the start of the next frame stays waiting
}

TEST_F(SerialReceiveTest, FramesWaitingTogetherRaiseOneEventEach) {
    std::vector<QByteArray> reads;
    QObject::connect(&port_, &SerialPort::communicationEvent,
                     [&] { reads.push_back(port_.input()); });
    send(frameOf('a') + frameOf('b') + frameOf('c'));
    ASSERT_TRUE(waitUntil([&] { return reads.size() == 3; }));
    EXPECT_EQ(reads[1], frameOf('b'));
    EXPECT_EQ(reads[2], frameOf('c'));
}

TEST_F(SerialReceiveTest, AHandlerThatReadsNothingIsCalledAgainOnlyForNewBytes) {
    int events = 0;
    QObject::connect(&port_, &SerialPort::communicationEvent, [&] { ++events; });
    send(frameOf('a'));
    ASSERT_TRUE(waitUntil([&] { return events == 1; }));
    runEvents(100);
    EXPECT_EQ(events, 1);
    send("x");
    EXPECT_TRUE(waitUntil([&] { return events == 2; }));
}

TEST_F(SerialReceiveTest, BytesArrivingWhileTheHandlerWaitsRaiseANestedEvent) {
    int depth = 0;
    int deepest = 0;
    std::vector<QByteArray> reads;
    QObject::connect(&port_, &SerialPort::communicationEvent, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        reads.push_back(port_.input());
        if (reads.size() == 1) {
            // The handler lets events run, as the receive procedure does, while the
            // next frame comes in.
            send(frameOf('b'));
            waitUntil([&] { return reads.size() == 2; }, 1000);
        }
        --depth;
    });
    send(frameOf('a'));
    ASSERT_TRUE(waitUntil([&] { return reads.size() == 2; }));
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(reads[1], frameOf('b'));
    // And the dialogue goes on after the nesting.
    send(frameOf('c'));
    ASSERT_TRUE(waitUntil([&] { return reads.size() == 3; }));
    EXPECT_EQ(reads[2], frameOf('c'));
}

TEST_F(SerialReceiveTest, ZeroWaitingBytesThrowsThemAway) {
    port_.setReceiveThreshold(0);
    send(QByteArray(300, 'z'));
    ASSERT_TRUE(waitUntil([&] { return port_.inBufferCount() == 300; }));
    port_.setInBufferCount(0);
    EXPECT_EQ(port_.inBufferCount(), 0);
    EXPECT_TRUE(port_.input().isEmpty());
    EXPECT_THROW(port_.setInBufferCount(5), corvanta::Error);

    // Bytes the driver holds, not yet announced because no event ran, go as well: the
    // next frame is read from its first byte.
    port_.setReceiveThreshold(kFrame);
    send(QByteArray(300, 'z'));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    port_.setInBufferCount(0);
    std::vector<QByteArray> reads;
    QObject::connect(&port_, &SerialPort::communicationEvent,
                     [&] { reads.push_back(port_.input()); });
    send(frameOf('a'));
    ASSERT_TRUE(waitUntil([&] { return !reads.empty(); }));
    EXPECT_EQ(reads[0], frameOf('a'));
}

TEST_F(SerialReceiveTest, AnInputLengthOfZeroReadsEverything) {
    port_.setReceiveThreshold(0);
    port_.setInputLength(0);
    send(QByteArray(1000, 'y'));
    ASSERT_TRUE(waitUntil([&] { return port_.inBufferCount() == 1000; }));
    EXPECT_EQ(port_.input().size(), 1000);
}

// The dialogue with the simulated device: one request, one whole frame, even when the
// device writes it in pieces, twice, or with faults in it.
TEST(SerialWithSimulator, EveryRequestGetsOneWholeFrame) {
    ensureApplication();
    SimulatorOptions options;
    options.splitEvery = 2;
    options.doubleEvery = 5;
    options.garbledHeaderEvery = 7;
    SimulatedDevice device(options);
    SerialPort port([&](int) { return QString::fromStdString(device.path()); });
    port.setSettings("115200,N,8,1");
    port.setInputLength(104);
    port.setReceiveThreshold(104);
    port.setPortOpen(true);
    port.output(QByteArray(1, '\x05'));
    std::vector<QByteArray> reads;
    QObject::connect(&port, &SerialPort::communicationEvent, [&] {
        reads.push_back(port.input());
        port.output(QByteArray(1, '\x10'));
    });
    port.output(QByteArray(1, '\x10'));
    // 10 requests answered, frame 5 doubled: 11 frames.
    ASSERT_TRUE(waitUntil([&] { return reads.size() >= 11; }, 5000));
    for (std::size_t i = 0; i < 11; ++i) {
        ASSERT_EQ(reads[i].size(), 104);
        const int number = i < 5 ? int(i) + 1 : int(i);
        EXPECT_EQ(reads[i].first(3), number % 7 == 0 ? "HSF" : "HSE") << i;
    }
    EXPECT_EQ(reads[4], reads[5]);
}

}  // namespace
