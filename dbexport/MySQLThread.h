#pragma once

// Background workers: a statement run, or a dataset opened, on a thread of
// its own with a connection of its own. They report to a window by posted
// messages; a window that is gone by then gets nothing.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class TMySQLServer;
class TMySQLDatasetBase;

enum : int { WM_MYSQL_EXCEPTION = 1211, WM_MYSQL_STATUS = 1213, WM_MYSQL_TASK_DONE = 1214 };

// One posted notification; Dataset is set for a caller-chosen result message
// and then belongs to the receiver.
struct TMySQLMessage {
    int Msg = 0;
    uint64_t ThreadId = 0;
    int64_t Param = 0;
    std::string Text;
    std::shared_ptr<TMySQLDatasetBase> Dataset;
    // When set, the window's thread makes this call instead of handing the
    // message to its handler (a dataset's thread events travel this way).
    std::function<void()> Call;
};

// A window that takes posted messages. Post may be called from any thread
// and must hand the message to the window's own (GUI) thread.
class TMySQLWindow {
public:
    virtual ~TMySQLWindow() = default;
    virtual void Post(TMySQLMessage message) = 0;
};
using TMySQLWindowRef = std::weak_ptr<TMySQLWindow>;

class TMySQLThread {
public:
    TMySQLThread(const std::string& settings, TMySQLWindowRef window, bool freeOnTerminate);
    // Waits for a busy worker at most its time-out; past that the work goes
    // on alone and reports nothing more.
    virtual ~TMySQLThread();
    TMySQLThread(const TMySQLThread&) = delete;
    TMySQLThread& operator=(const TMySQLThread&) = delete;

    virtual bool Start();
    void SetStatus(uint8_t status);
    uint8_t GetStatus() const;
    uint64_t ThreadId() const { return id_; }
    int TimeOut() const { return timeOut_; }
    // Waits for the completion event; true when it came within ms.
    bool WaitDone(int ms);
    bool Finished() const { return finished_; }
    const std::string& LastException() const { return lastException_; }

    // Called when the thread ends, on the worker thread.
    std::function<void(TMySQLThread*)> OnTerminate;
    int ResultMsg = 0;
    int64_t ResultParam = 0;

protected:
    virtual void Pause();
    void Join();
    virtual bool DoWork() { return false; }
    virtual void DoFinish() {}
    void SignalDone();
    void PostException(const std::string& text);
    void Post(TMySQLMessage m);
    bool Enabled(const char* key) const;
    bool Terminated() const { return terminated_; }
    void Terminate() { terminated_ = true; }
    const std::string& Settings() const { return settings_; }
    TMySQLWindowRef Window() const { return window_; }

private:
    void Execute();

    std::string settings_;
    TMySQLWindowRef window_;
    bool freeOnTerminate_;
    int timeOut_;
    std::atomic<uint8_t> status_{0};
    uint8_t lockedStatus_ = 0;
    mutable std::mutex lock_;
    std::mutex doneLock_;
    std::condition_variable doneCv_;
    bool done_ = false;
    std::atomic<bool> started_{false}, terminated_{false}, finished_{false};
    std::string lastException_;
    std::thread thread_;
    uint64_t id_;
};

// Runs SQL text on a private dataset with a connection of its own, made
// from a copy of the server's settings.
class TMySQLThreadedSQL : public TMySQLThread {
public:
    using TMySQLThread::TMySQLThread;
    ~TMySQLThreadedSQL() override;
    // With wait: true exactly when the time-out ran out first.
    bool Run(TMySQLServer& server, const std::string& statement, bool wait);
    bool Succeeded() const { return ok_; }

protected:
    bool DoWork() override;
    void DoFinish() override;

private:
    std::shared_ptr<TMySQLServer> server_;
    std::string statement_;
    std::atomic<bool> ok_{false};
    std::atomic<unsigned long> sessionId_{0};
};

// Opens a given dataset in the background.
class TMySQLThreadedOpen : public TMySQLThread {
public:
    using TMySQLThread::TMySQLThread;
    bool Run(TMySQLDatasetBase& dataset, bool wait);

protected:
    bool DoWork() override;
    void DoFinish() override;

private:
    TMySQLDatasetBase* dataset_ = nullptr;
};

// Starts a worker that runs the statement and frees itself; returns its id.
uint64_t RunSQLInThread(TMySQLServer& server, const std::string& statement, TMySQLWindowRef window,
                        std::function<void(TMySQLThread*)> done);
// Opens the dataset on a worker; with wait returns when the open is over.
void OpenDatasetInThread(TMySQLDatasetBase& dataset, bool wait, std::function<void(TMySQLThread*)> event);
