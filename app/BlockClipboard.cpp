#include "app/BlockClipboard.h"

#include "app/ClipboardBlock.h"
#include "app/ClipboardFormat.h"
#include "platform/Clipboard.h"
#include "settings/Unit_lib.h"

namespace {

// The block this copy put on the clipboard last and the entries behind it.
struct TLastCopy {
    std::vector<std::uint8_t> Block;
    ARR_ARR_OF_STRING Entries;
};

TLastCopy& LastCopy()
{
    static TLastCopy last;
    return last;
}

} // namespace

void PutLinesOnClipboard(const std::vector<std::string>& lines, ARR_ARR_OF_STRING entries)
{
    std::vector<std::uint8_t> block = EncodeBlock(OwnerHandle(), lines);
    cf::Clipboard().SetBlock(ClipboardFormat, block);
    LastCopy().Block = std::move(block);
    LastCopy().Entries = entries.size() == lines.size() ? std::move(entries) : ARR_ARR_OF_STRING();
}

std::size_t CopyServicesToClipboard(const std::vector<std::int32_t>& numbers)
{
    const std::vector<std::string> lines = ServiceLinesOf(numbers);
    PutLinesOnClipboard(lines);
    return lines.size();
}

std::size_t CopyEntriesToClipboard(const ARR_ARR_OF_STRING& entries)
{
    ARR_ARR_OF_STRING kept;
    const std::vector<std::string> lines = EntryLinesOf(entries, &kept);
    PutLinesOnClipboard(lines, std::move(kept));
    return lines.size();
}

TClipboardPaste PasteFromClipboard(bool entryMode, const TPasteProgress& progress)
{
    TClipboardPaste paste;
    const auto bytes = cf::Clipboard().GetBlock(ClipboardFormat);
    if (!bytes)
        return paste;
    paste.Present = true;
    TDecodedBlock block;
    if (!DecodeBlock(*bytes, block)) {
        paste.Damaged = true;
        return paste;
    }
    paste.OtherCopy = block.Owner != OwnerHandle();
    if (progress.Starting)
        progress.Starting(block.Lines.size());

    TPasteOptions options;
    options.EntryMode = entryMode;
    options.SameCopy = !paste.OtherCopy;
    if (options.SameCopy && *bytes == LastCopy().Block)
        options.CopiedEntries = &LastCopy().Entries;
    options.Progress = progress.Step;
    paste.Result = PasteLines(block.Lines, options);
    Modified = true;
    cf::Clipboard().Clear();
    return paste;
}

bool WithdrawOwnBlock()
{
    const auto bytes = cf::Clipboard().GetBlock(ClipboardFormat);
    if (!bytes || LastCopy().Block.empty() || *bytes != LastCopy().Block)
        return false;
    cf::Clipboard().Clear();
    return true;
}
