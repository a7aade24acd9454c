#include "dbexport/MySQLThread.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"
#include "dbexport/MySQLStrUtils.h"

#include <chrono>

namespace {

std::atomic<uint64_t> gNextId{1};

const char* const kWorkerSettings = "[MySQL]\r\nTimeOut=30000\r\n";

} // namespace

TMySQLThread::TMySQLThread(const std::string& settings, TMySQLWindowRef window, bool freeOnTerminate)
    : settings_(settings), window_(std::move(window)), freeOnTerminate_(freeOnTerminate),
      timeOut_(ReadSectionInteger(settings, "MySQL", "TimeOut", 30000)), id_(gNextId++)
{
}

TMySQLThread::~TMySQLThread()
{
    status_ = 0;
    Join();
}

void TMySQLThread::Join()
{
    if (thread_.joinable()) {
        if (thread_.get_id() == std::this_thread::get_id())
            thread_.detach();
        else
            thread_.join();
    }
}

bool TMySQLThread::Start()
{
    SetStatus(32);
    started_ = true;
    {
        std::lock_guard<std::mutex> g(doneLock_);
        done_ = false;
    }
    if (!thread_.joinable() && !finished_) {
        // A self-freeing worker may be gone as soon as its thread runs.
        const bool selfFreeing = freeOnTerminate_;
        std::thread t([this] { Execute(); });
        if (selfFreeing)
            t.detach();
        else
            thread_ = std::move(t);
    }
    return true;
}

void TMySQLThread::SetStatus(uint8_t status)
{
    if (status == status_)
        return;
    status_ = status;
    {
        std::lock_guard<std::mutex> g(lock_);
        lockedStatus_ = status;
    }
    if (Enabled("SilentStatus"))
        Post({WM_MYSQL_STATUS, id_, status, {}, nullptr, {}});
}

uint8_t TMySQLThread::GetStatus() const
{
    std::lock_guard<std::mutex> g(lock_);
    return lockedStatus_;
}

bool TMySQLThread::Enabled(const char* key) const
{
    return !window_.expired() && ReadSectionBool(settings_, "Main", key, true);
}

void TMySQLThread::Post(TMySQLMessage m)
{
    // A window that is gone gets nothing; its messages are dropped here.
    if (auto w = window_.lock())
        w->Post(std::move(m));
}

void TMySQLThread::SignalDone()
{
    {
        std::lock_guard<std::mutex> g(doneLock_);
        done_ = true;
    }
    doneCv_.notify_all();
    if (Enabled("SilentTasks"))
        Post({WM_MYSQL_TASK_DONE, id_, GetStatus(), {}, nullptr, {}});
}

bool TMySQLThread::WaitDone(int ms)
{
    std::unique_lock<std::mutex> g(doneLock_);
    return doneCv_.wait_for(g, std::chrono::milliseconds(ms), [this] { return done_; });
}

void TMySQLThread::PostException(const std::string& text)
{
    lastException_ = text;
    if (Enabled("SilentExceptions"))
        Post({WM_MYSQL_EXCEPTION, id_, 0, text, nullptr, {}});
}

void TMySQLThread::Pause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void TMySQLThread::Execute()
{
    while (!terminated_ && status_ != 0 && status_ != 17) {
        try {
            DoWork();
            DoFinish();
            Pause();
        } catch (const EAbort&) {
            status_ = 0;
            SignalDone();
        } catch (const std::exception& e) {
            status_ = 0;
            PostException(e.what());
            SignalDone();
        }
    }
    {
        std::lock_guard<std::mutex> g(doneLock_);
        done_ = true;
    }
    doneCv_.notify_all();
    finished_ = true;
    if (OnTerminate)
        OnTerminate(this);
    if (freeOnTerminate_)
        delete this;
}

// The statement worker.

TMySQLThreadedSQL::~TMySQLThreadedSQL()
{
    // A worker still busy past its time-out has its statement ended on the
    // server, so the wait below is bounded.
    if (!Finished() && !WaitDone(TimeOut()) && server_) {
        try {
            TMySQLServer killer;
            killer.Assign(*server_);
            killer.SetDatabaseName("");
            killer.Open();
            killer.Execute("kill query " + std::to_string(sessionId_.load()));
        } catch (...) {
        }
        WaitDone(5000);
    }
    Join(); // before the private server goes
}

bool TMySQLThreadedSQL::Run(TMySQLServer& server, const std::string& statement, bool wait)
{
    // A copy of the settings: the worker never touches the caller's component.
    server_ = std::make_shared<TMySQLServer>();
    server_->Assign(server);
    statement_ = statement;
    const bool started = Start();
    if (!wait)
        return started;
    return !WaitDone(TimeOut());
}

bool TMySQLThreadedSQL::DoWork()
{
    auto ds = std::make_shared<TMySQLDataset>();
    ds->SetShareConnection(false);
    ds->SetOptions(ds->Options() & ~static_cast<uint32_t>(doUseCursor | doThreadedUpdate));
    ds->Cursor = -19;
    ds->KeepAlive = server_;
    ds->SetServer(server_.get());
    ds->SetDatabaseName(server_->DatabaseName());
    auto report = [&] {
        if (ResultMsg != 0 && Enabled("SilentProgress"))
            Post({ResultMsg, ThreadId(), ResultParam, {}, ds, {}});
    };
    try {
        ds->OnExecSQL = [this](TMySQLDatasetBase* d, std::string&, bool&) {
            sessionId_ = d->Driver().ThreadId(d->Handle());
        };
        if (ResultMsg != 0 && !Window().expired()) {
            ds->SetSQLText(statement_);
            ds->Open();
            ok_ = true;
        } else {
            ok_ = ds->RunStatements(statement_, false, {}, {}, false);
        }
    } catch (const EMySQLError&) {
        // The statement's own failure is the run's result, not an exception.
        ok_ = false;
        report();
        return false;
    } catch (...) {
        report();
        throw;
    }
    report();
    return ok_;
}

void TMySQLThreadedSQL::DoFinish()
{
    SetStatus(0);
    SignalDone();
    Terminate();
}

// The open worker.

bool TMySQLThreadedOpen::Run(TMySQLDatasetBase& dataset, bool wait)
{
    dataset_ = &dataset;
    const bool started = Start();
    if (wait)
        WaitDone(INT32_MAX);
    return started;
}

bool TMySQLThreadedOpen::DoWork()
{
    dataset_->SetShareConnection(false);
    dataset_->SetOptions(dataset_->Options() & ~static_cast<uint32_t>(doUseCursor));
    dataset_->Cursor = -19;
    dataset_->Open();
    return true;
}

void TMySQLThreadedOpen::DoFinish()
{
    SetStatus(0);
    SignalDone();
    Terminate();
}

uint64_t RunSQLInThread(TMySQLServer& server, const std::string& statement, TMySQLWindowRef window,
                        std::function<void(TMySQLThread*)> done)
{
    auto* worker = new TMySQLThreadedSQL(kWorkerSettings, std::move(window), true);
    worker->OnTerminate = std::move(done);
    const uint64_t id = worker->ThreadId();
    worker->Run(server, statement, false);
    return id;
}

void OpenDatasetInThread(TMySQLDatasetBase& dataset, bool wait, std::function<void(TMySQLThread*)> event)
{
    auto* worker = new TMySQLThreadedOpen(kWorkerSettings, {}, !wait);
    worker->OnTerminate = std::move(event);
    worker->Run(dataset, wait);
    if (wait)
        delete worker;
}
