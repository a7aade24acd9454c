#pragma once

// The dataset whose rows come from SQL text run on a TMySQLServer: the open
// sequence, the row store, field values, navigation and editing written
// back through statement templates, macros, transactions and cached updates.

#include "dbexport/DbConnection.h"
#include "dbexport/DbDataSet.h"
#include "dbexport/DbProvider.h"
#include "dbexport/MySQLDrivers.h"
#include "dbexport/MySQLStrUtils.h"
#include "dbexport/MySQLThread.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMySQLServer;
class TPropertyStream;

enum TMySQLDatasetOption : uint32_t {
    doShareConnection = 1u << 0,
    doTransactions = 1u << 1,
    doRecursiveUpdates = 1u << 2,
    doCachedUpdates = 1u << 3,
    doThreadedUpdate = 1u << 4,
    doAutoCreate = 1u << 5,
    doCreateTemp = 1u << 6,
    doDropIfExists = 1u << 7,
    doFieldsAsString = 1u << 8,
    doRetrieveFieldValues = 1u << 9,
    doRetrieveIndexDefs = 1u << 10,
    doMacrosEnabled = 1u << 11,
    doMacroCheck = 1u << 12,
    do2KStrToMemo = 1u << 13,
    doSmallMemoToStr = 1u << 14,
    doEnumToBool = 1u << 15,
    doTinyIntToBool = 1u << 16,
    doSetToWord = 1u << 17,
    doEditCalcFields = 1u << 18,
    doUseCursor = 1u << 19,
    doSingleSQL = 1u << 20,
};
using TMySQLDatasetOptions = uint32_t;
constexpr TMySQLDatasetOptions kDatasetDefaultOptions = 538625;
constexpr TMySQLDatasetOptions kTableDefaultOptions = 540161;

enum TMySQLResultOptions { rtLocal, rtIncremental, rtUnidirectional };

// Column flags of the server.
enum : uint32_t {
    fiNotNull = 1, fiPrimaryKey = 2, fiUniqueKey = 4, fiMultipleKey = 8, fiBlob = 16,
    fiUnsigned = 32, fiBinary = 128, fiEnum = 256, fiAutoIncrement = 512, fiSet = 2048
};

struct TFieldInfo {
    std::string Name, OrgName, Table, OrgTable, Database, Default;
    bool HasDefault = false;
    std::string QualifiedOrigin, QualifiedName, Values;
    uint8_t Type = 0;
    uint32_t Length = 0, MaxLength = 0, Decimals = 0, Flags = 0;
    uint32_t Offset = 0;
    bool Modified = false;
    bool InResult = true;
    std::string FieldName; // the entry name the field is made under
};

struct TTableInfo {
    std::string Alias, OrgTable, Database, QualifiedName;
    std::string PrimaryKeys, UniqueKeys, MultipleKeys;
};

// One row of the store.
struct TMySQLRecord : TRecBuf {
    std::vector<std::optional<std::string>> Texts;
    std::vector<std::string> Blobs;
    std::vector<uint8_t> Calc;
    uint8_t BookmarkFlag = 0;
    int64_t RecNo = 0;
};

// A macro or parameter of the statement texts.
struct TMacroParam {
    std::string Name;
    TFieldType DataType = ftUnknown;
    bool Input = false;
    TValue Value;
};

class TMySQLDatasetBase;
using TExecSQLEvent = std::function<void(TMySQLDatasetBase*, std::string& statement, bool& go)>;

class TMySQLDatasetBase : public TDataSet, public TConnectionClient, public IProviderSupport {
public:
    TMySQLDatasetBase();
    ~TMySQLDatasetBase() override;

    // Properties.
    TMySQLServer* Server() const { return server_; }
    void SetServer(TMySQLServer* s);
    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const std::string& name);
    std::string SQLText() const { return JoinLines(sql_); }
    void SetSQLText(const std::string& text);
    TMySQLDatasetOptions Options() const { return options_; }
    void SetOptions(TMySQLDatasetOptions o);
    TMySQLResultOptions ResultType() const { return resultType_; }
    void SetResultType(TMySQLResultOptions r);
    bool CachedUpdates() const { return (options_ & doCachedUpdates) != 0; }
    void SetCachedUpdates(bool on);
    bool ShareConnection() const { return (options_ & doShareConnection) != 0; }
    void SetShareConnection(bool on);
    bool ReadOnly = false;
    bool RawData = false;
    int Cursor = -17;
    std::string MacroDel() const { return macroOpen_ + "," + macroClose_; }
    void SetMacroDel(const std::string& value);
    const std::string& TableName() const { return tableName_; }
    void SetTableName(const std::string& name);
    std::string FieldName; // key columns, "," or ";" separated
    std::string SQLUpdate, SQLInsert, SQLDelete, SQLBatch, SQLCached;
    std::vector<TMacroParam> Macros;
    TMacroParam* FindMacro(const std::string& name);
    std::vector<TFieldDef> CustomFieldDefs;
    std::string Filter() const { return filter_; }
    void SetFilter(const std::string& f);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool on);
    TDataSet* MasterSource() const { return master_; }
    void SetMasterSource(TDataSet* master);
    const std::string& MasterFields() const { return masterFields_; }
    void SetMasterFields(const std::string& pairs);

    // Events.
    TExecSQLEvent OnExecSQL;
    std::function<void(TMySQLDatasetBase*, const std::string& name, std::string& value, bool& go)> OnMacro;
    std::function<void(TMySQLDatasetBase*, const std::string& column, std::string& value, int64_t recNo)>
        OnCustomValue, OnDefaultValue;
    std::function<void(TMySQLDatasetBase*)> OnAfterAdd, OnThreadOpened;
    std::function<void(TMySQLDatasetBase*, bool ok)> OnThreadPosted;
    // The window on whose thread OnThreadOpened and OnThreadPosted run, in
    // order with what else is posted to it; a dataset gone by then hears
    // nothing. Without one they run on the worker's thread.
    TMySQLWindowRef ThreadWindow;

    // Texts of the last statement sent.
    const std::string& LastSQL() const { return lastSQL_; }
    const std::string& InsertId() const { return insertId_; }
    const std::string& AffectedRows() const { return affectedRows_; }
    const std::string& Info() const { return info_; }
    bool InTransaction() const { return inTransaction_; }

    // Statements, transactions, the create-table script.
    bool ExecSQL(const std::string& statement, bool expand = true);
    bool RunStatements(const std::string& text, bool expand, const std::string& database = {},
                       const std::string& table = {}, bool cache = false);
    void StartTransaction();
    void Commit();
    void Rollback();
    std::string CreateTableScript(bool run);
    void OpenInThread(bool wait);

    // Macros.
    void CollectMacros(const std::string& text);
    std::string Expand(const std::string& statement, const std::string& database = {},
                       const std::string& table = {});
    std::string MacroValue(const std::string& name, const std::string& database = {},
                           const std::string& table = {});
    std::string SQLValue(const TField* field, const TMySQLRecord* buffer = nullptr);
    std::string FilterCondition();

    // Column information.
    const std::vector<TFieldInfo>& FieldInfos() const { return infos_; }
    const std::vector<TTableInfo>& TableInfos() const { return tables_; }
    const TFieldInfo* InfoOf(const TField* field) const;
    const std::string& PrimaryKeys() const { return primaryKeys_; }
    const std::string& UniqueKeys() const { return uniqueKeys_; }
    const std::string& MultipleKeys() const { return multipleKeys_; }
    bool IsIndexField(const TField* field) const;
    TMySQLBase& Driver();
    TMySQLHandle Handle() const { return handle_; }

    // TDataSet.
    int64_t RecordCount() override;
    int64_t RecNo() override;
    void SetRecNo(int64_t n) override;
    bool CanModify() const override { return !ReadOnly; }
    TBookmark GetBookmark() override;
    bool BookmarkValid(TBookmark b) override;
    int CompareBookmarks(TBookmark a, TBookmark b) override;
    bool Locate(const std::string& keyFields, const std::vector<TValue>& values,
                TLocateOptions options) override;
    std::vector<TValue> Lookup(const std::string& keyFields, const std::vector<TValue>& values,
                               const std::string& resultFields) override;
    bool GetFieldData(const TField* field, TValue& value) override;
    void SetFieldData(TField* field, const TValue& value) override;
    // The blob of the active record, or of the stored row being browsed.
    std::string BlobValue(const TField* field);
    void SetBlobValue(TField* field, const std::string& bytes);

    // TConnectionClient.
    bool ClientActive() const override { return TDataSet::Active(); }
    void ConnectionClosing() override { Close(); }
    void ConnectionGone() override;
    std::vector<std::string> AutoCreateStatements() override;

    // The provider side.
    void PSEndTransaction(bool commit) override;
    void PSExecute() override;
    int64_t PSExecuteStatement(const std::string& sql, const TParams& params) override;
    std::string PSGetKeyFields() override;
    std::optional<TIndexDef> PSGetDefaultOrder() override;
    std::string PSGetQuoteChar() override { return "`"; }
    std::string PSGetTableName() override;
    EUpdateError PSGetUpdateException(const std::exception* error, const EUpdateError* previous) override;
    bool PSIsSQLBased() override { return true; }
    bool PSIsSQLSupported() override { return true; }
    TParams PSGetParams() override;
    void PSSetParams(const TParams& params) override;
    void PSSetCommandText(const std::string& text) override { SetSQLText(text); }
    void PSStartTransaction() override { StartTransaction(); }
    bool PSInTransaction() override { return inTransaction_; }

    static std::string JoinLines(const std::vector<std::string>& lines);

    // The stored form: each property written only where it differs from
    // what a new dataset has, or where its own rule asks for it; reading
    // also takes the older forms' AllFieldValues and MacrosEnabled.
    void WriteProperties(TPropertyStream& stream) const;
    void ReadProperties(const TPropertyStream& stream);
    TMySQLDatasetOptions DefaultOptions() const { return defaultOptions_; }
    static const char* const kSQLTemplate;
    static const char* const kSQLUpdateTemplate;
    static const char* const kSQLInsertTemplate;
    static const char* const kSQLDeleteTemplate;

    // Held for as long as the dataset lives (a worker's private server
    // travels with the dataset it hands over).
    std::shared_ptr<void> KeepAlive;

protected:
    std::unique_ptr<TRecBuf> AllocRecordBuffer() override;
    void InternalOpen() override;
    void InternalClose() override;
    void InternalFirst() override;
    void InternalLast() override;
    TGetResult GetRecord(TRecBuf& buffer, TGetMode mode, bool check) override;
    void InternalEdit() override;
    void InternalInsert() override;
    void InternalInitRecord(TRecBuf& buffer) override;
    void InternalPost() override;
    void InternalCancel() override;
    void InternalDelete() override;
    void InternalRefresh() override;
    void InternalGotoBookmark(TBookmark b) override;
    void SetBookmarkFlag(TRecBuf& buffer, TBookmarkFlag flag) override;
    void ClearCalcFields(TRecBuf& buffer) override;
    std::unique_ptr<TField> CreateField(const TFieldDef& def) override;

    TMySQLDatasetOptions options_ = kDatasetDefaultOptions;
    TMySQLDatasetOptions defaultOptions_ = kDatasetDefaultOptions;

private:
    friend class TMySQLBlobStream;
    void Prepare();
    void RunOpenSQL();
    void SendStatement(std::string statement);
    void ReleaseResult();
    void ReleaseRows();
    void BuildColumnInfo();
    void BuildFieldDefs();
    void RetrieveExtraDetails();
    void SetsToWords();
    bool FetchRow();
    void FetchAll();
    void AddKey(std::string& list, const std::string& name);
    std::string KeyCondition(const std::string& keyList, const std::string& table, bool allWhenEmpty);
    bool RunTemplate(const std::string& tmpl, bool isDelete);
    void RunCached();
    void ClearModified();
    bool InKeyColumns(const TFieldInfo& info) const;
    void CopyRow(const TMySQLRecord& from, TMySQLRecord& to) const;
    TMySQLRecord* CurrentRow();
    TMySQLRecord& Rec() const { return *static_cast<TMySQLRecord*>(ActiveBuffer()); }
    int ColumnOf(const TField* field) const;
    // Where a calculated field's value sits in the active record, when the
    // state lets it be read or written.
    bool CalcSlot(const TField* field, size_t& offset) const;
    void MasterChanged();
    void CloseOnChange();
    // Where a worker's event for this dataset goes: to ThreadWindow's
    // thread, or run at once without a window.
    std::function<void(std::function<void()>)> ThreadEventSink() const;

    TMySQLServer* server_ = nullptr;
    std::string databaseName_;
    std::vector<std::string> sql_;
    TMySQLResultOptions resultType_ = rtLocal;
    std::string macroOpen_ = "[", macroClose_ = "]";
    std::string tableName_;
    std::string filter_;
    bool filtered_ = false;
    TDataSet* master_ = nullptr;
    std::string masterFields_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::atomic<int> openWorkers_{0};

    std::unique_ptr<TMySQLBase> ownDriver_;
    TMySQLHandle ownHandle_ = nullptr;
    TMySQLHandle handle_ = nullptr;
    TMySQLResultHandle result_ = nullptr;
    std::string lastSQL_, insertId_, affectedRows_, info_;
    bool inTransaction_ = false;

    std::vector<TFieldInfo> infos_;
    std::vector<TTableInfo> tables_;
    std::string primaryKeys_, uniqueKeys_, multipleKeys_;
    std::vector<std::string> databases_, aliases_;
    int recordSize_ = 0;

    std::vector<std::unique_ptr<TMySQLRecord>> rows_;
    int64_t position_ = -1;
    bool endOfResult_ = true;
    std::unique_ptr<TMySQLRecord> oldValues_;
};

class TMySQLDataset : public TMySQLDatasetBase {
public:
    TMySQLDataset() = default;
};

class TMySQLTable : public TMySQLDatasetBase {
public:
    TMySQLTable() { options_ = defaultOptions_ = kTableDefaultOptions; }
};

// A stream over one blob field of the active record.
class TMySQLBlobStream {
public:
    enum Mode { bmRead, bmWrite, bmReadWrite };
    TMySQLBlobStream(TField* field, Mode mode);
    ~TMySQLBlobStream();
    size_t Read(void* buffer, size_t count);
    size_t Write(const void* buffer, size_t count);
    int64_t Seek(int64_t offset, int origin); // 0 beginning, 1 current, 2 end
    size_t Size() const { return data_.size(); }

private:
    TField* field_;
    TMySQLDatasetBase* ds_;
    Mode mode_;
    std::string data_;
    size_t pos_ = 0;
    bool changed_ = false;
};

// Shows a screen cursor while statements run (0 is the default cursor); the
// program installs it, nothing happens without.
extern std::function<void(int cursor)> MySQLSetScreenCursor;
