#pragma once

// The clipboard as the program uses it: plain text and private formats
// registered by name that carry a byte block unchanged. OwnerHandle tells
// this running copy of the program apart from others.
//
// The default service is the desktop clipboard (QClipboard); tests install a
// TMemoryClipboard, and two of them sharing one store stand for two running
// copies exchanging blocks.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cf {

class TClipboardService {
public:
    virtual ~TClipboardService() = default;
    virtual void Clear() = 0;
    virtual bool HasFormat(const std::string& format) = 0;
    // Replaces the clipboard content with one block of the given format.
    virtual void SetBlock(const std::string& format, const std::vector<uint8_t>& data) = 0;
    virtual std::optional<std::vector<uint8_t>> GetBlock(const std::string& format) = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() = 0;
    // Per-process id of this running copy (never 0).
    virtual int32_t OwnerHandle() = 0;
};

TClipboardService& Clipboard();
// Installs a clipboard service (not owned); nullptr restores the desktop clipboard.
void SetClipboard(TClipboardService* service);

class TMemoryClipboard : public TClipboardService {
public:
    struct Store;
    // A new clipboard with its own store, or one sharing other's store.
    explicit TMemoryClipboard(int32_t ownerHandle = 1);
    TMemoryClipboard(const TMemoryClipboard& sharedWith, int32_t ownerHandle);
    ~TMemoryClipboard() override;

    void Clear() override;
    bool HasFormat(const std::string& format) override;
    void SetBlock(const std::string& format, const std::vector<uint8_t>& data) override;
    std::optional<std::vector<uint8_t>> GetBlock(const std::string& format) override;
    void SetText(const std::string& text) override;
    std::string Text() override;
    int32_t OwnerHandle() override { return owner_; }

private:
    std::shared_ptr<Store> store_;
    int32_t owner_;
};

} // namespace cf
