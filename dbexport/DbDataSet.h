#pragma once

// The dataset base of the database framework: states, the active record,
// navigation, editing and the data-change notification. Descendants supply
// the rows through the Internal... operations.

#include "dbexport/DbErrors.h"
#include "dbexport/DbFields.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsCalcFields, dsFilter, dsNewValue };
enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TDataEvent { deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deUpdateState };
enum TBookmarkFlag : uint8_t { bfCurrent, bfBOF, bfEOF, bfInserted };
enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;
using TBookmark = int64_t;

// A record buffer; each dataset keeps its own kind of content in it.
struct TRecBuf {
    virtual ~TRecBuf() = default;
};

class TDataSet {
public:
    TDataSet() = default;
    virtual ~TDataSet() = default;
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    void Open();
    void Close();
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool on) { on ? Open() : Close(); }
    TDataSetState State() const { return state_; }

    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return !hasRecord_; }

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    void CheckBrowseMode();

    virtual int64_t RecordCount() = 0;
    virtual int64_t RecNo() = 0;
    virtual void SetRecNo(int64_t n) = 0;
    virtual bool CanModify() const { return true; }
    virtual TBookmark GetBookmark() = 0;
    virtual void GotoBookmark(TBookmark b);
    virtual bool BookmarkValid(TBookmark b) = 0;
    virtual int CompareBookmarks(TBookmark a, TBookmark b) = 0;
    virtual bool Locate(const std::string& keyFields, const std::vector<TValue>& values,
                        TLocateOptions options) = 0;
    virtual std::vector<TValue> Lookup(const std::string& keyFields, const std::vector<TValue>& values,
                                       const std::string& resultFields) = 0;

    std::vector<std::unique_ptr<TField>> Fields;
    std::vector<TFieldDef> FieldDefs;
    std::vector<TIndexDef> IndexDefs;
    TField* FindField(const std::string& name) const;
    // Raises "Field 'name' not found".
    TField* FieldByName(const std::string& name) const;

    // Calculated fields, made after the data fields at every open. Their
    // values live in the record's calculated area: cleared for each row read
    // and each new record, then set by OnCalcFields (and again after a data
    // field changes while editing, with AutoCalcFields).
    void AddCalculatedField(const std::string& name, TFieldType type, int size = 0);
    int CalcFieldsSize() const;
    std::function<void(TDataSet*)> OnCalcFields;
    bool AutoCalcFields = true;
    // A data field of the active record was written.
    void DataFieldChanged();

    void DisableControls() { ++disableCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // The data-change notification: every listener hears each event.
    std::vector<std::function<void(TDataEvent, TField*)>> Listeners;
    std::function<void(TDataSet*)> BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforePost,
        AfterPost, BeforeScroll, AfterScroll, BeforeDelete, AfterDelete, OnNewRecord;

    // The framework's side of field access.
    virtual bool GetFieldData(const TField* field, TValue& value) = 0;
    virtual void SetFieldData(TField* field, const TValue& value) = 0;
    void DataEvent(TDataEvent event, TField* field = nullptr);

protected:
    virtual std::unique_ptr<TRecBuf> AllocRecordBuffer() = 0;
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual void InternalFirst() = 0;
    virtual void InternalLast() = 0;
    virtual TGetResult GetRecord(TRecBuf& buffer, TGetMode mode, bool check) = 0;
    virtual void InternalEdit() {}
    virtual void InternalInsert() {}
    virtual void InternalInitRecord(TRecBuf& buffer) = 0;
    virtual void InternalPost() = 0;
    virtual void InternalCancel() {}
    virtual void InternalDelete() = 0;
    virtual void InternalRefresh() {}
    virtual void InternalGotoBookmark(TBookmark b) = 0;
    virtual void SetBookmarkFlag(TRecBuf& buffer, TBookmarkFlag flag) = 0;
    // Fields from FieldDefs; a descendant chooses the class per type.
    virtual std::unique_ptr<TField> CreateField(const TFieldDef& def);
    void CreateFields();
    void DestroyFields() { Fields.clear(); }
    // Clears the buffer's calculated area, then lets OnCalcFields fill it;
    // GetRecord calls it for each row it reads.
    void CalculateFields(TRecBuf& buffer);
    virtual void ClearCalcFields(TRecBuf& /*buffer*/) {}

    TRecBuf* ActiveBuffer() const { return activeBuffer_.get(); }
    bool HasActiveRecord() const { return hasRecord_ || state_ == dsInsert; }
    void SetState(TDataSetState s);
    // Reads the current row again after a change of the row store.
    void Resync();

private:
    std::unique_ptr<TRecBuf> activeBuffer_;
    TDataSetState state_ = dsInactive;
    bool eof_ = true, bof_ = true, hasRecord_ = false;
    int disableCount_ = 0;
    std::vector<TFieldDef> calcDefs_;
};
