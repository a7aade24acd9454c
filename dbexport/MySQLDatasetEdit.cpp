// Moving over the row store, editing rows and writing the changes back
// through the statement templates; transactions, cached updates, refresh,
// locate and lookup.

#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"
#include "dbexport/MySQLSplitter.h"
#include "dbexport/MySQLThread.h"

#include <algorithm>
#include <climits>

// Navigation.

int64_t TMySQLDatasetBase::RecordCount()
{
    if (rows_.empty() && endOfResult_)
        return 0;
    if (resultType_ == rtLocal || endOfResult_)
        return static_cast<int64_t>(rows_.size());
    return static_cast<int64_t>(rows_.size()) + 1;
}

int64_t TMySQLDatasetBase::RecNo()
{
    if (!ActiveBuffer() || !HasActiveRecord())
        return -1;
    return Rec().RecNo;
}

void TMySQLDatasetBase::SetRecNo(int64_t n)
{
    CheckBrowseMode();
    if (n == RecNo())
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    position_ = n;
    Resync();
    if (AfterScroll)
        AfterScroll(this);
}

void TMySQLDatasetBase::InternalFirst()
{
    position_ = -1;
}

void TMySQLDatasetBase::InternalLast()
{
    if (resultType_ != rtLocal && !endOfResult_)
        position_ = INT_MAX;
    else
        position_ = static_cast<int64_t>(rows_.size());
}

TGetResult TMySQLDatasetBase::GetRecord(TRecBuf& buffer, TGetMode mode, bool check)
{
    while (!endOfResult_ && position_ >= static_cast<int64_t>(rows_.size()) - 1)
        if (!FetchRow())
            break;
    if (position_ > static_cast<int64_t>(rows_.size()))
        position_ = static_cast<int64_t>(rows_.size());
    TGetResult r = grOK;
    const int64_t count = static_cast<int64_t>(rows_.size());
    if (count == 0) {
        r = grEOF;
    } else if (mode == gmCurrent) {
        if (position_ < 0 || position_ >= count)
            r = grError;
    } else if (mode == gmNext) {
        if (position_ < count - 1)
            ++position_;
        else
            r = grEOF;
    } else {
        if (position_ > 0) {
            if (resultType_ != rtUnidirectional)
                --position_;
        } else {
            r = grBOF;
        }
    }
    if (r != grOK) {
        if (check && r == grError)
            throw EDatabaseError("No Records");
        return r;
    }
    auto& buf = static_cast<TMySQLRecord&>(buffer);
    const TMySQLRecord& row = *rows_[static_cast<size_t>(position_)];
    buf.Texts = row.Texts;
    buf.Blobs = row.Blobs;
    buf.BookmarkFlag = 0;
    buf.RecNo = row.RecNo;
    CalculateFields(buffer);
    return grOK;
}

TBookmark TMySQLDatasetBase::GetBookmark()
{
    return RecNo();
}

bool TMySQLDatasetBase::BookmarkValid(TBookmark b)
{
    return b >= 0 && b < static_cast<int64_t>(rows_.size());
}

int TMySQLDatasetBase::CompareBookmarks(TBookmark a, TBookmark b)
{
    if (!BookmarkValid(a))
        return -1;
    if (!BookmarkValid(b))
        return 1;
    return a < b ? -1 : a > b ? 1 : 0;
}

void TMySQLDatasetBase::InternalGotoBookmark(TBookmark b)
{
    position_ = b;
}

void TMySQLDatasetBase::SetBookmarkFlag(TRecBuf& buffer, TBookmarkFlag flag)
{
    static_cast<TMySQLRecord&>(buffer).BookmarkFlag = flag;
}

// Editing.

void TMySQLDatasetBase::CopyRow(const TMySQLRecord& from, TMySQLRecord& to) const
{
    to.Texts = from.Texts;
    to.Blobs = from.Blobs;
    to.RecNo = from.RecNo;
}

void TMySQLDatasetBase::InternalEdit()
{
    oldValues_ = std::make_unique<TMySQLRecord>();
    CopyRow(Rec(), *oldValues_);
}

void TMySQLDatasetBase::InternalInsert()
{
    oldValues_.reset();
    const std::string keys = FieldName + "," + primaryKeys_;
    for (TFieldInfo& fi : infos_)
        if (InNameList(keys, fi.FieldName))
            fi.Modified = fi.InResult;
}

void TMySQLDatasetBase::InternalCancel()
{
    if (oldValues_) {
        if (TMySQLRecord* row = CurrentRow())
            for (size_t i = 0; i < infos_.size(); ++i)
                if (infos_[i].Modified) {
                    row->Texts[i] = oldValues_->Texts[i];
                    row->Blobs[i] = oldValues_->Blobs[i];
                    infos_[i].Modified = false;
                }
        oldValues_.reset();
    }
    ClearModified();
}

bool TMySQLDatasetBase::InKeyColumns(const TFieldInfo& info) const
{
    return InNameList(FieldName, info.FieldName) || InNameList(primaryKeys_, info.FieldName);
}

void TMySQLDatasetBase::ClearModified()
{
    for (TFieldInfo& fi : infos_)
        fi.Modified = false;
}

void TMySQLDatasetBase::InternalPost()
{
    // Nothing changed outside the keys: write every column.
    bool any = false;
    for (const TFieldInfo& fi : infos_)
        if (fi.Modified && !InKeyColumns(fi))
            any = true;
    if (!any)
        for (TFieldInfo& fi : infos_)
            fi.Modified = fi.InResult;

    if (State() == dsInsert) {
        StartTransaction();
        try {
            if (!RunTemplate(SQLInsert, false)) {
                Rollback();
                ClearModified();
                return;
            }
            if (resultType_ != rtLocal) {
                InternalRefresh();
                ClearModified();
                return;
            }
            auto row = std::make_unique<TMySQLRecord>();
            row->Texts.resize(infos_.size());
            row->Blobs.resize(infos_.size());
            const TMySQLRecord& buf = Rec();
            for (size_t i = 0; i < infos_.size(); ++i) {
                const TFieldInfo& fi = infos_[i];
                if (fi.Flags & fiAutoIncrement) {
                    const std::string id = Driver().ServerVer() < 32112 ? "0" : Driver().InsertId(handle_);
                    insertId_ = id;
                    row->Texts[i] = id;
                } else if (fi.Modified) {
                    row->Texts[i] = buf.Texts[i];
                    row->Blobs[i] = buf.Blobs[i];
                }
            }
            ClearModified();
            row->BookmarkFlag = buf.BookmarkFlag;
            int64_t at = position_ < 0 ? 0 : position_;
            if (buf.BookmarkFlag == bfEOF || at > static_cast<int64_t>(rows_.size()))
                at = static_cast<int64_t>(rows_.size());
            rows_.insert(rows_.begin() + at, std::move(row));
            for (size_t i = static_cast<size_t>(at); i < rows_.size(); ++i)
                rows_[i]->RecNo = static_cast<int64_t>(i);
            position_ = at;
            Commit();
            if (OnAfterAdd)
                OnAfterAdd(this);
        } catch (...) {
            Rollback();
            ClearModified();
            throw;
        }
        return;
    }
    StartTransaction();
    try {
        RunTemplate(SQLUpdate, false);
        Commit();
    } catch (...) {
        Rollback();
        throw;
    }
    if (resultType_ != rtLocal)
        InternalRefresh();
    oldValues_.reset();
    ClearModified();
}

void TMySQLDatasetBase::InternalDelete()
{
    StartTransaction();
    try {
        if (!RunTemplate(SQLDelete, true)) {
            Rollback();
            return;
        }
        if (resultType_ != rtLocal) {
            InternalRefresh();
            return;
        }
        if (position_ >= 0 && position_ < static_cast<int64_t>(rows_.size()))
            rows_.erase(rows_.begin() + position_);
        position_ = std::min<int64_t>(position_, static_cast<int64_t>(rows_.size()) - 1);
        if (position_ < 0)
            position_ = 0;
        for (size_t i = static_cast<size_t>(position_); i < rows_.size(); ++i)
            rows_[i]->RecNo = static_cast<int64_t>(i);
        Commit();
    } catch (...) {
        Rollback();
        throw;
    }
}

bool TMySQLDatasetBase::RunTemplate(const std::string& tmpl, bool isDelete)
{
    if ((options_ & doRecursiveUpdates) && tables_.size() > 1) {
        for (const TTableInfo& t : tables_) {
            bool takesPart = isDelete;
            for (const TFieldInfo& fi : infos_)
                if (fi.Table == t.Alias && fi.Modified)
                    takesPart = true;
            if (takesPart && !RunStatements(tmpl, true, t.Database, t.Alias, CachedUpdates()))
                return false;
        }
        return true;
    }
    return RunStatements(tmpl, true, {}, {}, CachedUpdates());
}

// Statements.

bool TMySQLDatasetBase::RunStatements(const std::string& text, bool expand, const std::string& database,
                                      const std::string& table, bool cache)
{
    if (text.empty()) {
        return ExecSQL(text, expand);
    }
    for (std::string s : SplitStatements(text)) {
        if (expand)
            s = Expand(s, database, table);
        if (s.size() <= 2)
            continue;
        if (cache) {
            SQLCached += s + (s.back() == ';' ? "" : ";") + "\r\n";
            continue;
        }
        if (!ExecSQL(s, false))
            return false;
    }
    return true;
}

bool TMySQLDatasetBase::ExecSQL(const std::string& statement, bool expand)
{
    if (statement.empty()) {
        if (options_ & doThreadedUpdate)
            OpenInThread(false);
        else
            Open();
        return true;
    }
    std::string s = expand ? Expand(statement) : statement;
    if (s.size() <= 2)
        return true;
    struct Cursor {
        bool on;
        explicit Cursor(bool o, int c) : on(o && MySQLSetScreenCursor)
        {
            if (on)
                MySQLSetScreenCursor(c);
        }
        ~Cursor()
        {
            if (on)
                MySQLSetScreenCursor(0);
        }
    } cursor((options_ & doUseCursor) != 0, this->Cursor);
    Prepare();
    bool go = true;
    if (OnExecSQL)
        OnExecSQL(this, s, go);
    if (!go)
        return true;
    if ((options_ & doThreadedUpdate) && server_) {
        lastSQL_ = s;
        RunSQLInThread(*server_, s, {}, [this, deliver = ThreadEventSink()](TMySQLThread* w) {
            const bool ok = static_cast<TMySQLThreadedSQL*>(w)->Succeeded();
            deliver([this, ok] {
                if (OnThreadPosted)
                    OnThreadPosted(this, ok);
            });
        });
        return true;
    }
    SendStatement(s);
    Driver().FreeResult(result_);
    return true;
}

void TMySQLDatasetBase::StartTransaction()
{
    // The server's version decides; unknown before the first connect, which
    // would quietly leave the statements that follow outside any transaction.
    if ((options_ & doTransactions) && server_ && !CachedUpdates() && Driver().ServerVer() == 0)
        Prepare();
    if (!(options_ & doTransactions) || !server_ || Driver().ServerVer() < 40011)
        return;
    if (inTransaction_)
        Commit();
    RunStatements("start transaction;", (options_ & doMacrosEnabled) != 0, {}, {}, CachedUpdates());
    inTransaction_ = true;
}

void TMySQLDatasetBase::Commit()
{
    if (!(options_ & doTransactions) || !server_ || Driver().ServerVer() < 40011)
        return;
    if (!inTransaction_)
        StartTransaction();
    inTransaction_ = false;
    RunStatements("commit;", (options_ & doMacrosEnabled) != 0, {}, {}, CachedUpdates());
}

void TMySQLDatasetBase::Rollback()
{
    if (!(options_ & doTransactions) || !server_ || Driver().ServerVer() < 40011)
        return;
    if (!inTransaction_)
        StartTransaction();
    inTransaction_ = false;
    RunStatements("rollback;", (options_ & doMacrosEnabled) != 0, {}, {}, CachedUpdates());
}

void TMySQLDatasetBase::RunCached()
{
    if (SQLCached.empty())
        return;
    const std::string text = SQLCached;
    SQLCached.clear();
    RunStatements(text, false, {}, {}, false);
}

void TMySQLDatasetBase::InternalRefresh()
{
    RunCached();
    if (!server_)
        return;
    DisableControls();
    struct Enable {
        TMySQLDatasetBase* d;
        ~Enable() { d->EnableControls(); }
    } enable{this};
    const size_t columns = infos_.size();
    const int64_t keep = position_;
    RunOpenSQL();
    if (infos_.size() != columns) {
        Close();
        throw EMySQLError("Columns have changed. Please close and reopen.");
    }
    position_ = std::max<int64_t>(0, std::min<int64_t>(keep, static_cast<int64_t>(rows_.size()) - 1));
}

// Locate and lookup.

bool TMySQLDatasetBase::Locate(const std::string& keyFields, const std::vector<TValue>& values,
                               TLocateOptions options)
{
    CheckBrowseMode();
    std::vector<TField*> fields;
    for (int k = 1;; ++k) {
        const std::string name = ExtractWord(k, keyFields, ";,");
        if (name.empty())
            break;
        fields.push_back(FieldByName(name));
    }
    auto matches = [&]() {
        for (size_t i = 0; i < fields.size(); ++i) {
            const TValue& want = i < values.size() ? values[i] : TValue{};
            std::string have = fields[i]->IsNull() ? std::string() : fields[i]->AsString();
            std::string key = IsNullValue(want) ? std::string() : ValueText(want);
            if (options & loCaseInsensitive) {
                have = UpperCase(have);
                key = UpperCase(key);
            }
            const bool ok = (options & loPartialKey) ? have.rfind(key, 0) == 0 : have == key;
            if (!ok)
                return false;
        }
        return true;
    };
    if (IsEmpty())
        return false;
    if (matches())
        return true;
    DisableControls();
    const int64_t keep = position_;
    bool found = false;
    position_ = -1;
    while (GetRecord(*ActiveBuffer(), gmNext, false) == grOK) {
        if (matches()) {
            found = true;
            break;
        }
        if (position_ >= static_cast<int64_t>(rows_.size()) - 1 && endOfResult_)
            break;
    }
    if (!found)
        position_ = keep;
    EnableControls();
    Resync();
    return found;
}

std::vector<TValue> TMySQLDatasetBase::Lookup(const std::string& keyFields, const std::vector<TValue>& values,
                                              const std::string& resultFields)
{
    std::vector<TValue> out;
    if (!Locate(keyFields, values, 0))
        return out;
    for (int k = 1;; ++k) {
        const std::string name = ExtractWord(k, resultFields, ";,");
        if (name.empty())
            break;
        out.push_back(FieldByName(name)->Value());
    }
    return out;
}

void TMySQLDatasetBase::OpenInThread(bool wait)
{
    if (!(options_ & doThreadedUpdate)) {
        Open();
        if (OnThreadOpened)
            OnThreadOpened(this);
        return;
    }
    // The destructor waits for this count to drop: a worker never opens a
    // dataset that is gone.
    ++openWorkers_;
    OpenDatasetInThread(*this, wait, [this, deliver = ThreadEventSink()](TMySQLThread*) {
        deliver([this] {
            if (OnThreadOpened)
                OnThreadOpened(this);
        });
        --openWorkers_;
    });
}

std::function<void(std::function<void()>)> TMySQLDatasetBase::ThreadEventSink() const
{
    // Taken on the dataset's thread, so the worker never reads the dataset
    // to find out where its event goes.
    std::weak_ptr<bool> alive = alive_;
    TMySQLWindowRef windowRef = ThreadWindow;
    const bool hasWindow = !windowRef.expired();
    return [alive, windowRef, hasWindow](std::function<void()> event) {
        auto guarded = [alive, event = std::move(event)] {
            // Checked where it runs: on the window's thread that is where
            // the dataset is also destroyed.
            const std::shared_ptr<bool> living = alive.lock();
            if (living && *living)
                event();
        };
        if (!hasWindow) {
            guarded();
            return;
        }
        // The window went away: so did whoever wanted to hear.
        if (std::shared_ptr<TMySQLWindow> window = windowRef.lock()) {
            TMySQLMessage m;
            m.Call = std::move(guarded);
            window->Post(std::move(m));
        }
    };
}
