#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <map>
#include <unistd.h>

namespace cf {

namespace {

QString MimeOf(const std::string& format)
{
    // One private MIME type per registered format name.
    QString name = QString::fromStdString(format);
    QString safe;
    for (QChar c : name)
        safe += (c.isLetterOrNumber() ? c.toLower() : QChar('-'));
    return "application/x-chanforge-" + safe;
}

class DesktopClipboard : public TClipboardService {
public:
    QClipboard* cb() { return QGuiApplication::clipboard(); }
    void Clear() override
    {
        if (cb())
            cb()->clear();
    }
    bool HasFormat(const std::string& format) override
    {
        const QMimeData* m = cb() ? cb()->mimeData() : nullptr;
        return m && m->hasFormat(MimeOf(format));
    }
    void SetBlock(const std::string& format, const std::vector<uint8_t>& data) override
    {
        if (!cb())
            return;
        auto* m = new QMimeData;
        m->setData(MimeOf(format), QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size())));
        cb()->setMimeData(m);
    }
    std::optional<std::vector<uint8_t>> GetBlock(const std::string& format) override
    {
        const QMimeData* m = cb() ? cb()->mimeData() : nullptr;
        if (!m || !m->hasFormat(MimeOf(format)))
            return std::nullopt;
        QByteArray b = m->data(MimeOf(format));
        return std::vector<uint8_t>(b.begin(), b.end());
    }
    void SetText(const std::string& text) override
    {
        if (cb())
            cb()->setText(QString::fromStdString(text));
    }
    std::string Text() override { return cb() ? cb()->text().toStdString() : std::string(); }
    int32_t OwnerHandle() override { return int32_t(::getpid()); }
};

TClipboardService* g_service = nullptr;

} // namespace

TClipboardService& Clipboard()
{
    static DesktopClipboard desktop;
    return g_service ? *g_service : desktop;
}

void SetClipboard(TClipboardService* service)
{
    g_service = service;
}

struct TMemoryClipboard::Store {
    std::map<std::string, std::vector<uint8_t>> blocks;
    std::optional<std::string> text;
};

TMemoryClipboard::TMemoryClipboard(int32_t ownerHandle) : store_(std::make_shared<Store>()), owner_(ownerHandle) {}

TMemoryClipboard::TMemoryClipboard(const TMemoryClipboard& other, int32_t ownerHandle)
    : store_(other.store_), owner_(ownerHandle)
{
}

TMemoryClipboard::~TMemoryClipboard() = default;

void TMemoryClipboard::Clear()
{
    store_->blocks.clear();
    store_->text.reset();
}

bool TMemoryClipboard::HasFormat(const std::string& format)
{
    return store_->blocks.count(format) != 0;
}

void TMemoryClipboard::SetBlock(const std::string& format, const std::vector<uint8_t>& data)
{
    Clear();
    store_->blocks[format] = data;
}

std::optional<std::vector<uint8_t>> TMemoryClipboard::GetBlock(const std::string& format)
{
    auto it = store_->blocks.find(format);
    if (it == store_->blocks.end())
        return std::nullopt;
    return it->second;
}

void TMemoryClipboard::SetText(const std::string& text)
{
    Clear();
    store_->text = text;
}

std::string TMemoryClipboard::Text()
{
    return store_->text.value_or(std::string());
}

} // namespace cf
