#include "dbexport/DbDataSet.h"
#include "dbexport/DbCalcFields.h"
#include "dbexport/MySQLStrUtils.h"

TField* TDataSet::FindField(const std::string& name) const
{
    for (const auto& f : Fields)
        if (cf::SameText(f->FieldName, name))
            return f.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const std::string& name) const
{
    if (TField* f = FindField(name))
        return f;
    throw EDatabaseError("Field '" + name + "' not found");
}

void TDataSet::EnableControls()
{
    if (disableCount_ > 0 && --disableCount_ == 0)
        DataEvent(deDataSetChange);
}

void TDataSet::DataEvent(TDataEvent event, TField* field)
{
    if (disableCount_ > 0)
        return;
    for (const auto& l : std::vector<std::function<void(TDataEvent, TField*)>>(Listeners))
        l(event, field);
}

std::unique_ptr<TField> TDataSet::CreateField(const TFieldDef& def)
{
    return std::make_unique<TField>(this, def);
}

void TDataSet::CreateFields()
{
    Fields.clear();
    for (const TFieldDef& d : FieldDefs)
        Fields.push_back(CreateField(d));
    int offset = 0;
    for (const TFieldDef& d : calcDefs_) {
        auto f = CreateField(d);
        f->FieldKind = fkCalculated;
        f->FieldNo = 0;
        f->CalcOffset = offset;
        offset += CalcValueSize(d.DataType, d.Size);
        Fields.push_back(std::move(f));
    }
}

void TDataSet::AddCalculatedField(const std::string& name, TFieldType type, int size)
{
    if (Active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    for (const TFieldDef& d : calcDefs_)
        if (cf::SameText(d.Name, name))
            throw EDatabaseError("Duplicate field name '" + name + "'");
    TFieldDef d;
    d.Name = name;
    d.DataType = type;
    d.Size = size > 0 ? size : (type == ftString || type == ftFixedChar ? 20 : 0);
    calcDefs_.push_back(d);
}

int TDataSet::CalcFieldsSize() const
{
    int size = 0;
    for (const TFieldDef& d : calcDefs_)
        size += CalcValueSize(d.DataType, d.Size);
    return size;
}

void TDataSet::CalculateFields(TRecBuf& buffer)
{
    if (calcDefs_.empty())
        return;
    ClearCalcFields(buffer);
    // Fields read and write the active buffer, so only it can be filled.
    if (!OnCalcFields || &buffer != activeBuffer_.get())
        return;
    const TDataSetState saved = state_;
    state_ = dsCalcFields;
    try {
        OnCalcFields(this);
    } catch (...) {
        state_ = saved;
        throw;
    }
    state_ = saved;
}

void TDataSet::DataFieldChanged()
{
    if (AutoCalcFields && (state_ == dsEdit || state_ == dsInsert) && activeBuffer_)
        CalculateFields(*activeBuffer_);
}

void TDataSet::SetState(TDataSetState s)
{
    if (s == state_)
        return;
    state_ = s;
    DataEvent(deUpdateState);
}

void TDataSet::Open()
{
    if (Active())
        return;
    if (BeforeOpen)
        BeforeOpen(this);
    try {
        InternalOpen();
        activeBuffer_ = AllocRecordBuffer();
    } catch (...) {
        activeBuffer_.reset();
        try {
            InternalClose();
        } catch (...) {
        }
        throw;
    }
    state_ = dsBrowse;
    DisableControls();
    try {
        First();
    } catch (...) {
        EnableControls();
        Close();
        throw;
    }
    --disableCount_;
    DataEvent(deDataSetChange);
    if (AfterOpen)
        AfterOpen(this);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    if (BeforeClose)
        BeforeClose(this);
    if (state_ == dsEdit || state_ == dsInsert)
        Cancel();
    state_ = dsInactive;
    hasRecord_ = false;
    eof_ = bof_ = true;
    InternalClose();
    activeBuffer_.reset();
    DataEvent(deDataSetChange);
    if (AfterClose)
        AfterClose(this);
}

void TDataSet::CheckBrowseMode()
{
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
}

void TDataSet::First()
{
    CheckBrowseMode();
    if (BeforeScroll)
        BeforeScroll(this);
    InternalFirst();
    hasRecord_ = GetRecord(*activeBuffer_, gmNext, false) == grOK;
    bof_ = true;
    eof_ = !hasRecord_;
    DataEvent(deDataSetChange);
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::Last()
{
    CheckBrowseMode();
    if (BeforeScroll)
        BeforeScroll(this);
    InternalLast();
    hasRecord_ = GetRecord(*activeBuffer_, gmPrior, false) == grOK;
    eof_ = true;
    bof_ = !hasRecord_;
    DataEvent(deDataSetChange);
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::Next()
{
    CheckBrowseMode();
    if (eof_)
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    if (GetRecord(*activeBuffer_, gmNext, false) == grOK) {
        bof_ = false;
        hasRecord_ = true;
    } else {
        eof_ = true;
    }
    DataEvent(deDataSetScroll);
    if (AfterScroll)
        AfterScroll(this);
}

void TDataSet::Prior()
{
    CheckBrowseMode();
    if (bof_)
        return;
    if (BeforeScroll)
        BeforeScroll(this);
    if (GetRecord(*activeBuffer_, gmPrior, false) == grOK) {
        eof_ = false;
        hasRecord_ = true;
    } else {
        bof_ = true;
    }
    DataEvent(deDataSetScroll);
    if (AfterScroll)
        AfterScroll(this);
}

int TDataSet::MoveBy(int distance)
{
    int moved = 0;
    while (distance > 0 && !eof_) {
        Next();
        if (!eof_)
            ++moved;
        --distance;
    }
    while (distance < 0 && !bof_) {
        Prior();
        if (!bof_)
            --moved;
        ++distance;
    }
    return moved;
}

void TDataSet::GotoBookmark(TBookmark b)
{
    CheckBrowseMode();
    if (!BookmarkValid(b))
        throw EDatabaseError("Record not found");
    InternalGotoBookmark(b);
    Resync();
}

void TDataSet::Resync()
{
    hasRecord_ = GetRecord(*activeBuffer_, gmCurrent, false) == grOK;
    if (!hasRecord_)
        hasRecord_ = GetRecord(*activeBuffer_, gmPrior, false) == grOK;
    eof_ = bof_ = !hasRecord_;
    DataEvent(deDataSetChange);
}

void TDataSet::Edit()
{
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    if (!CanModify())
        throw EDatabaseError("Cannot modify a read-only dataset");
    if (!hasRecord_) {
        Insert();
        return;
    }
    InternalEdit();
    SetState(dsEdit);
}

void TDataSet::Insert()
{
    CheckBrowseMode();
    if (!CanModify())
        throw EDatabaseError("Cannot modify a read-only dataset");
    // The new record is initialised first; the insert start then marks the keys.
    InternalInitRecord(*activeBuffer_);
    ClearCalcFields(*activeBuffer_);
    InternalInsert();
    SetBookmarkFlag(*activeBuffer_, hasRecord_ ? bfInserted : bfEOF);
    SetState(dsInsert);
    if (OnNewRecord)
        OnNewRecord(this);
}

void TDataSet::Append()
{
    CheckBrowseMode();
    if (!CanModify())
        throw EDatabaseError("Cannot modify a read-only dataset");
    InternalLast();
    // The new record is initialised first; the insert start then marks the keys.
    InternalInitRecord(*activeBuffer_);
    ClearCalcFields(*activeBuffer_);
    InternalInsert();
    SetBookmarkFlag(*activeBuffer_, bfEOF);
    SetState(dsInsert);
    if (OnNewRecord)
        OnNewRecord(this);
}

void TDataSet::Post()
{
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    if (BeforePost)
        BeforePost(this);
    if (state_ == dsInsert)
        for (const auto& f : Fields)
            if (f->Required && !f->ReadOnly && f->FieldKind == fkData && f->IsNull())
                throw EDatabaseError("Field '" + f->FieldName + "' must have a value");
    InternalPost();
    SetState(dsBrowse);
    Resync();
    if (AfterPost)
        AfterPost(this);
}

void TDataSet::Cancel()
{
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    InternalCancel();
    SetState(dsBrowse);
    Resync();
}

void TDataSet::Delete()
{
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (!hasRecord_)
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    if (state_ == dsEdit)
        Cancel();
    if (BeforeDelete)
        BeforeDelete(this);
    InternalDelete();
    SetState(dsBrowse);
    Resync();
    if (AfterDelete)
        AfterDelete(this);
}

void TDataSet::Refresh()
{
    CheckBrowseMode();
    InternalRefresh();
    Resync();
}
