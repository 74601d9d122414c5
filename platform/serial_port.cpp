#include "platform/serial_port.h"

#include <unistd.h>

#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

#include "platform/error.h"
#include "platform/settings_store.h"

namespace corvanta::platform {
namespace {

const char kSource[] = "Serial port";
// Short enough not to freeze the window when the line is stuck.
constexpr int kWriteWaitMs = 100;

[[noreturn]] void fail(int number, const QString& description) {
    throw Error(number, kSource, description.toStdString());
}

[[noreturn]] void failMissing(int portNumber, const QString& device) {
    fail(SerialPort::kInvalidPortNumber,
         QStringLiteral("Invalid port number %1: the device %2 does not exist.")
             .arg(portNumber)
             .arg(device));
}

[[noreturn]] void failBusy(const QString& device) {
    fail(SerialPort::kPortAlreadyOpen,
         QStringLiteral("Port already open: %1 is in use by another program.").arg(device));
}

// Devices held open by a SerialPort of this process: a second opening is refused
// even where the system would let it through (the superuser ignores exclusive mode).
class OpenDevices {
  public:
    bool claim(const QString& device) {
        std::lock_guard lock(mutex_);
        return devices_.insert(device).second;
    }
    void release(const QString& device) {
        std::lock_guard lock(mutex_);
        devices_.erase(device);
    }

  private:
    std::mutex mutex_;
    std::set<QString> devices_;
};

OpenDevices& openDevices() {
    static OpenDevices devices;
    return devices;
}

struct LineSettings {
    qint32 baudRate;
    QSerialPort::Parity parity;
    QSerialPort::DataBits dataBits;
    QSerialPort::StopBits stopBits;
};

template <typename Value, std::size_t N>
std::optional<Value> lookUp(const std::pair<QStringView, Value> (&table)[N], const QString& name) {
    for (const auto& [text, value] : table) {
        if (name.trimmed().compare(text, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

const std::pair<QStringView, QSerialPort::Parity> kParities[] = {{u"N", QSerialPort::NoParity},
                                                                 {u"E", QSerialPort::EvenParity},
                                                                 {u"O", QSerialPort::OddParity},
                                                                 {u"M", QSerialPort::MarkParity},
                                                                 {u"S", QSerialPort::SpaceParity}};
const std::pair<QStringView, QSerialPort::DataBits> kDataBits[] = {{u"5", QSerialPort::Data5},
                                                                   {u"6", QSerialPort::Data6},
                                                                   {u"7", QSerialPort::Data7},
                                                                   {u"8", QSerialPort::Data8}};
const std::pair<QStringView, QSerialPort::StopBits> kStopBits[] = {
    {u"1", QSerialPort::OneStop},
    {u"1.5", QSerialPort::OneAndHalfStop},
    {u"2", QSerialPort::TwoStop}};

std::optional<LineSettings> parseLineSettings(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    bool ok = false;
    const qint32 baudRate = parts[0].trimmed().toInt(&ok);
    const auto parity = lookUp(kParities, parts[1]);
    const auto dataBits = lookUp(kDataBits, parts[2]);
    const auto stopBits = lookUp(kStopBits, parts[3]);
    if (!ok || baudRate <= 0 || !parity || !dataBits || !stopBits) {
        return std::nullopt;
    }
    return LineSettings{baudRate, *parity, *dataBits, *stopBits};
}

}  // namespace

SerialPort::SerialPort(DeviceResolver resolver, QObject* parent)
    : QObject(parent), resolver_(std::move(resolver)), port_(std::make_unique<QSerialPort>()) {
    connect(port_.get(), &QSerialPort::readyRead, this, &SerialPort::scheduleReceiveCheck);
    connect(port_.get(), &QSerialPort::errorOccurred, this, &SerialPort::onPortError);
}

SerialPort::~SerialPort() {
    port_->disconnect(this);
    setPortOpen(false);
}

SerialPort::DeviceResolver SerialPort::resolverFromSettings(const SettingsStore& settings) {
    return [&settings](int portNumber) {
        const QString named =
            settings.read(kSettingsSection, kSettingsKeyPrefix + QString::number(portNumber))
                .trimmed();
        return named.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(portNumber - 1) : named;
    };
}

void SerialPort::setPortNumber(int portNumber) {
    if (isPortOpen() && portNumber != portNumber_) {
        fail(kPortAlreadyOpen, QStringLiteral("Port already open: close port %1 before choosing "
                                              "another one.")
                                   .arg(portNumber_));
    }
    portNumber_ = portNumber;
}

QString SerialPort::deviceName() const {
    return resolver_(portNumber_);
}

void SerialPort::setSettings(const QString& settings) {
    const auto line = parseLineSettings(settings);
    if (!line) {
        fail(kInvalidPropertyValue,
             QStringLiteral("Invalid port settings \"%1\": expected baud,parity,data bits,stop "
                            "bits such as 115200,N,8,1.")
                 .arg(settings));
    }
    settings_ = settings;
    baudRate_ = line->baudRate;
    parity_ = line->parity;
    dataBits_ = line->dataBits;
    stopBits_ = line->stopBits;
    if (isPortOpen()) {
        applySettings();
    }
}

void SerialPort::applySettings() {
    if (!port_->setBaudRate(baudRate_) || !port_->setParity(parity_) ||
        !port_->setDataBits(dataBits_) || !port_->setStopBits(stopBits_) ||
        !port_->setFlowControl(QSerialPort::NoFlowControl)) {
        fail(kInvalidPropertyValue, QStringLiteral("The port %1 does not accept the settings "
                                                   "\"%2\": %3")
                                        .arg(openDevice_, settings_, port_->errorString()));
    }
}

bool SerialPort::isPortOpen() const {
    return port_->isOpen();
}

void SerialPort::setPortOpen(bool open) {
    if (!open) {
        if (port_->isOpen()) {
            port_->close();
        }
        if (!openDevice_.isEmpty()) {
            openDevices().release(openDevice_);
            openDevice_.clear();
        }
        return;
    }
    if (port_->isOpen()) {
        return;
    }
    const QString device = deviceName();
    const QFileInfo info(device);
    if (portNumber_ < 1 || !info.exists()) {
        failMissing(portNumber_, device);
    }
    const QString canonical = info.canonicalFilePath();
    if (!openDevices().claim(canonical)) {
        failBusy(device);
    }
    openDevice_ = canonical;
    openName_ = device;
    port_->setPortName(device);
    if (!port_->open(QIODevice::ReadWrite)) {
        const int savedErrno =
            ::access(device.toLocal8Bit().constData(), R_OK | W_OK) == 0 ? 0 : errno;
        const QSerialPort::SerialPortError error = port_->error();
        const QString reason = port_->errorString();
        setPortOpen(false);
        if (savedErrno == EACCES) {
            fail(kPermissionDenied,
                 QStringLiteral("Permission denied on %1: the user must belong to the "
                                "\"dialout\" group (log in again after adding it).")
                     .arg(device));
        }
        if (error == QSerialPort::DeviceNotFoundError) {
            failMissing(portNumber_, device);
        }
        if (error == QSerialPort::PermissionError || error == QSerialPort::OpenError) {
            failBusy(device);
        }
        fail(kDeviceError, QStringLiteral("The port %1 cannot be opened: %2").arg(device, reason));
    }
    try {
        applySettings();
    } catch (...) {
        setPortOpen(false);
        throw;
    }
    lostReported_ = false;
    scheduleReceiveCheck();
}

void SerialPort::setInputLength(int length) {
    inputLength_ = std::max(0, length);
}

void SerialPort::setReceiveThreshold(int threshold) {
    receiveThreshold_ = std::max(0, threshold);
    scheduleReceiveCheck();
}

void SerialPort::setInputBufferSize(int size) {
    inputBufferSize_ = std::max(0, size);
}

int SerialPort::inBufferCount() const {
    return isPortOpen() ? static_cast<int>(port_->bytesAvailable()) : 0;
}

void SerialPort::setInBufferCount(int count) {
    if (count != 0) {
        fail(kInvalidPropertyValue,
             QStringLiteral("The count of waiting bytes can only be set to 0."));
    }
    if (isPortOpen()) {
        // Bytes still held by the driver, not yet announced, are thrown away as well:
        // read later, they would put the next frame out of step.
        if (!port_->clear(QSerialPort::Input)) {
            // The driver refused the flush: only a lost device does, and onPortError
            // closes the port and reports it.
        }
        ++readCount_;
    }
}

QByteArray SerialPort::input() {
    if (!isPortOpen()) {
        return {};
    }
    ++readCount_;
    return inputLength_ > 0 ? port_->read(inputLength_) : port_->readAll();
}

void SerialPort::output(const QByteArray& bytes) {
    if (!isPortOpen()) {
        fail(kPortNotOpen, QStringLiteral("Operation valid only when the port is open."));
    }
    if (port_->write(bytes) != bytes.size()) {
        fail(kDeviceError,
             QStringLiteral("Cannot write to %1: %2").arg(openDevice_, port_->errorString()));
    }
    // The bytes must leave now: the caller may be waiting in a loop of its own.
    if (port_->isOpen() && port_->bytesToWrite() > 0) {
        port_->flush();
    }
    if (port_->isOpen() && port_->bytesToWrite() > 0) {
        port_->waitForBytesWritten(kWriteWaitMs);
    }
}

void SerialPort::scheduleReceiveCheck() {
    if (checkScheduled_) {
        return;
    }
    checkScheduled_ = true;
    QMetaObject::invokeMethod(this, &SerialPort::checkReceived, Qt::QueuedConnection);
}

void SerialPort::checkReceived() {
    checkScheduled_ = false;
    if (!isPortOpen() || receiveThreshold_ <= 0 || port_->bytesAvailable() < receiveThreshold_) {
        return;
    }
    eventCode_ = kDataReceived;
    const quint64 readsBefore = readCount_;
    const QPointer<SerialPort> alive(this);
    emit communicationEvent();
    if (!alive) {
        return;
    }
    // QSerialPort announces bytes once per arrival: a second frame already waiting, or
    // bytes that came while the handler ran, need a look of their own. A handler that
    // read nothing is not called again until more bytes arrive.
    if (readCount_ != readsBefore) {
        scheduleReceiveCheck();
    }
}

void SerialPort::onPortError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
        error != QSerialPort::WriteError) {
        return;
    }
    if (!port_->isOpen()) {
        return;
    }
    // The system's own text is not kept: QSerialPort takes it from errno, which by then
    // may hold an earlier call's error.
    const QString device = openName_;
    const Loss loss = !QFileInfo::exists(device)         ? Loss::Gone
                      : error == QSerialPort::WriteError ? Loss::WriteFailed
                                                         : Loss::ReadFailed;
    setPortOpen(false);
    if (lostReported_) {
        return;
    }
    lostReported_ = true;
    // Queued: the loss may be found inside output() or a wait of the caller's.
    QMetaObject::invokeMethod(
        this, [this, device, loss] { emit deviceLost(device, loss); }, Qt::QueuedConnection);
}

}  // namespace corvanta::platform
