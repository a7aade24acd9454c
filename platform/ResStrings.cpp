#include "platform/ResStrings.h"

namespace cf {

namespace {
TResStringLoader& ActiveLoader()
{
    static TResStringLoader loader;
    return loader;
}
} // namespace

void SetResStringLoader(TResStringLoader loader)
{
    ActiveLoader() = std::move(loader);
}

bool HasResStringLoader()
{
    return static_cast<bool>(ActiveLoader());
}

std::string LoadResString(const TResStringRec& rec)
{
    if (const TResStringLoader& loader = ActiveLoader()) {
        if (std::optional<std::string> text = loader(rec.Id))
            return *std::move(text);
    }
    return rec.Text;
}

} // namespace cf
