#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <functional>
#include <memory>

#include "platform/frame_port.h"

namespace corvanta::platform {

class SettingsStore;

// The serial port as the program drives it: a port number, a settings text
// ("115200,N,8,1"), an open flag, an input read by lengths, and a communication event
// raised once enough bytes are waiting. Failures are corvanta::Error with the numbers
// the program tests: 8002 (no such port), 8005 (port already in use).
class SerialPort : public QObject, public FramePort {
    Q_OBJECT

  public:
    // Gives the device file of port number n (1..n).
    using DeviceResolver = std::function<QString(int portNumber)>;

    static constexpr int kInvalidPortNumber = 8002;
    static constexpr int kPortAlreadyOpen = 8005;
    static constexpr int kPermissionDenied = 8010;
    static constexpr int kPortNotOpen = 8018;
    static constexpr int kDeviceError = 8020;
    static constexpr int kInvalidPropertyValue = 380;

    explicit SerialPort(DeviceResolver resolver, QObject* parent = nullptr);
    ~SerialPort() override;

    // The settings section and key prefix that name port n's device ("PORTS", "COM<n>").
    static inline const QString kSettingsSection = QStringLiteral("PORTS");
    static inline const QString kSettingsKeyPrefix = QStringLiteral("COM");

    // The device of setting PORTS/COMn when present, else /dev/ttyS<n-1>. The store must
    // outlive the resolver.
    static DeviceResolver resolverFromSettings(const SettingsStore& settings);

    int portNumber() const { return portNumber_; }
    // Changing the number of an open port is error 8005.
    void setPortNumber(int portNumber);
    QString deviceName() const;

    QString settings() const { return settings_; }
    // "baud,parity,data bits,stop bits", parity N, E, O, M or S; a malformed text is
    // error 380 and leaves the previous settings in force.
    void setSettings(const QString& settings);

    bool isPortOpen() const override;
    // true opens the port (nothing when already open), false closes it.
    void setPortOpen(bool open);

    int inputLength() const { return inputLength_; }
    void setInputLength(int length) override;

    int receiveThreshold() const { return receiveThreshold_; }
    // The communication event is raised once this many bytes wait; 0 raises none.
    void setReceiveThreshold(int threshold);

    // Kept for the program; the layer itself buffers whatever arrives, so that no byte
    // is lost when the program reads late.
    int inputBufferSize() const { return inputBufferSize_; }
    void setInputBufferSize(int size);

    // Bytes received and not yet read (0 when the port is closed).
    int inBufferCount() const;
    // Those the driver still holds are thrown away as well; any count but 0 is error 380.
    void setInBufferCount(int count) override;

    QByteArray input() override;
    // Waits for the bytes to leave within a short bound; a closed port is error 8018.
    void output(const QByteArray& bytes) override;

    int eventCode() const override { return eventCode_; }

    // What took the device away: its file is gone, or a read or a write failed.
    enum class Loss { Gone, ReadFailed, WriteFailed };
    Q_ENUM(Loss)

  signals:
    // Raised as a queued call, never inside the port's own notification, so that a
    // handler may let events run and receive again.
    void communicationEvent();
    // The device went away while the port was open; the port is already closed. Raised
    // once per opening, with the device file as the port's number named it.
    void deviceLost(const QString& device, corvanta::platform::SerialPort::Loss loss);

  private:
    void scheduleReceiveCheck();
    void checkReceived();
    void onPortError(QSerialPort::SerialPortError error);
    void applySettings();

    DeviceResolver resolver_;
    std::unique_ptr<QSerialPort> port_;
    QString openDevice_;  // the file opened, links followed
    QString openName_;    // the file as the port's number named it
    int portNumber_ = 1;
    QString settings_ = QStringLiteral("9600,N,8,1");
    qint32 baudRate_ = 9600;
    QSerialPort::Parity parity_ = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits_ = QSerialPort::Data8;
    QSerialPort::StopBits stopBits_ = QSerialPort::OneStop;
    int inputLength_ = 0;
    int receiveThreshold_ = 0;
    int inputBufferSize_ = 1024;
    int eventCode_ = 0;
    bool checkScheduled_ = false;
    quint64 readCount_ = 0;
    bool lostReported_ = false;
};

}  // namespace corvanta::platform
