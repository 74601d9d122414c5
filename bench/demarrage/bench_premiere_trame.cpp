// The real program started as a user starts it, on a large database: the time from the
// start of its process to the first frame request (0x10) it sends to the device on port 1,
// a pseudo-terminal the benchmark opens. Offscreen, private settings, a copy of the
// database of 10,000, 100,000 or 1,000,000 patients (five curves and one exam each).
// Each size is started once untimed first, so that every timed run finds the file cached.
// Before each start the stock sqlite3 shell reads the patients of the same file sorted by
// name, every column, into nothing ("shell_ms"); "ratio" is the program's time over the
// shell's, which the start-up must keep at 2 or below.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/error.h"
#include "platform/settings_store.h"
#include "tools/make_big_database/big_database.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kFrameRequest = 0x10;
constexpr int kTimeoutMs = 120000;

double loadAverage() {
    std::ifstream loadavg("/proc/loadavg");
    double one = -1;
    loadavg >> one;
    return one;
}

// The working folder of one database size: its copy of the database, the settings and
// the pseudo-terminal of port 1.
class Workstation {
  public:
    explicit Workstation(int patients) {
        if (!folder_.isValid())
            throw std::runtime_error("no temporary folder");
        const QString database = corvanta::tools::benchmarkDatabase(patients);
        if (!QFile::copy(database, folder_.filePath(QStringLiteral("Sinus.mdb"))))
            throw std::runtime_error("cannot copy " + database.toStdString());
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw std::runtime_error("no pseudo-terminal");
        const char* device = ptsname(master_);
        if (device == nullptr)
            throw std::runtime_error("no pseudo-terminal name");
        // Held open, so that the master reads nothing but a hang-up until the program opens it.
        slave_ = open(device, O_RDWR | O_NOCTTY);
        QDir(folder_.path()).mkpath(QStringLiteral("config/Corvanta"));
        corvanta::platform::SettingsStore settings(
            folder_.filePath(QStringLiteral("config/Corvanta/Corvanta.ini")));
        settings.write(QStringLiteral("PORTS"), QStringLiteral("COM1"),
                       QString::fromLocal8Bit(device));
        settings.sync();
    }
    ~Workstation() {
        close(slave_);
        close(master_);
    }

    // Seconds from the start of the process to the first frame request, or nothing when
    // none came in time (the program's messages then go to `log`).
    // Seconds the stock shell takes to read every patient in name order, or nothing when
    // the shell cannot be run.
    std::optional<double> shellSortedRead() const {
        const std::string database = folder_.filePath(QStringLiteral("Sinus.mdb")).toStdString();
        const Clock::time_point begin = Clock::now();
        const pid_t child = fork();
        if (child == 0) {
            const int nothing = open("/dev/null", O_WRONLY);
            if (nothing >= 0)
                dup2(nothing, 1);
            execlp("sqlite3", "sqlite3", database.c_str(),
                   "SELECT * FROM Patients ORDER BY Nom_Patient, Prenom_Patient;",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            return std::nullopt;
        return std::chrono::duration<double>(Clock::now() - begin).count();
    }

    std::optional<double> start(std::string& log) {
        drain();
        const std::string program =
            (QCoreApplication::applicationDirPath() + QStringLiteral("/Corvanta")).toStdString();
        const std::string folder = folder_.path().toStdString();
        const std::string config = folder + "/config";
        const std::string output = folder + "/output.txt";
        const Clock::time_point begin = Clock::now();
        const pid_t child = fork();
        if (child == 0) {
            if (chdir(folder.c_str()) != 0)
                _exit(126);
            setenv("XDG_CONFIG_HOME", config.c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (out >= 0) {
                dup2(out, 1);
                dup2(out, 2);
            }
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (child < 0)
            return std::nullopt;
        std::optional<double> seconds;
        while (!seconds) {
            const auto waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin);
            pollfd ready{master_, POLLIN, 0};
            if (waited.count() >= kTimeoutMs || poll(&ready, 1, 100) < 0)
                break;
            if ((ready.revents & POLLIN) == 0) {
                if (waitpid(child, nullptr, WNOHANG) == child)
                    break;
                continue;
            }
            char bytes[512];
            const ssize_t count = read(master_, bytes, sizeof bytes);
            for (ssize_t i = 0; i < count; ++i) {
                if (bytes[i] == kFrameRequest) {
                    seconds = std::chrono::duration<double>(Clock::now() - begin).count();
                    break;
                }
            }
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        QFile messages(QString::fromStdString(output));
        if (messages.open(QIODevice::ReadOnly))
            log = messages.readAll().toStdString();
        return seconds;
    }

  private:
    void drain() {
        char bytes[512];
        pollfd ready{master_, POLLIN, 0};
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN) != 0 &&
               read(master_, bytes, sizeof bytes) > 0) {
        }
    }

    QTemporaryDir folder_;
    int master_ = -1;
    int slave_ = -1;
};

Workstation& workstation(int patients) {
    static std::map<int, std::unique_ptr<Workstation>> made;
    auto& one = made[patients];
    if (!one) {
        one = std::make_unique<Workstation>(patients);
        std::string log;
        one->start(log);
        one->shellSortedRead();
    }
    return *one;
}

void FirstFrameRequest(benchmark::State& state) {
    const int patients = static_cast<int>(state.range(0));
    Workstation* station = nullptr;
    try {
        station = &workstation(patients);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    double load = 0;
    double shell = 0;
    double program = 0;
    for (auto _ : state) {
        load = loadAverage();
        const std::optional<double> read = station->shellSortedRead();
        if (!read) {
            state.SkipWithError("the sqlite3 shell could not read the patients");
            return;
        }
        shell = *read;
        std::string log;
        const std::optional<double> seconds = station->start(log);
        if (!seconds) {
            state.SkipWithError(("no frame request; the program said: " + log).c_str());
            return;
        }
        program = *seconds;
        state.SetIterationTime(*seconds);
    }
    state.counters["load1"] = load;
    state.counters["shell_ms"] = shell * 1000;
    state.counters["ratio"] = program / shell;
}
BENCHMARK(FirstFrameRequest)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
