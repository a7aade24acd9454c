#include "platform/Registry.h"

#include <QByteArray>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace cf {

namespace {

// Stored text of a value: a type tag, a colon, the value.
const std::string kStr = "sz:";
const std::string kInt = "dword:";
const std::string kBin = "hex:";

const char* RootName(TRootKey k)
{
    switch (k) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER: return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return "HKEY_USERS";
    }
    return "HKEY_CURRENT_USER";
}

std::string Normalise(const std::string& path)
{
    // "\a\\b\" -> "a\b"
    std::string out;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!out.empty() && out.back() != '\\')
                out += '\\';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

QString ToGroupPath(const std::string& s)
{
    QString q = QString::fromStdString(s);
    q.replace('\\', '/');
    return q;
}

bool StartsWith(const std::string& s, const std::string& p)
{
    return s.compare(0, p.size(), p) == 0;
}

} // namespace

std::filesystem::path ConfigFilePath()
{
    if (const char* p = std::getenv("CHANFORGE_CONFIG"); p && *p)
        return p;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty())
        dir = QString::fromUtf8(std::getenv("HOME") ? std::getenv("HOME") : ".") + "/.config";
    return std::filesystem::path(dir.toStdString()) / "chanforge" / "chanforge.ini";
}

TRegistry::TRegistry()
{
    auto path = ConfigFilePath();
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    settings_ = std::make_unique<QSettings>(QString::fromStdString(path.string()), QSettings::IniFormat);
}

TRegistry::~TRegistry()
{
    Flush();
}

void TRegistry::Flush()
{
    if (!dirty_)
        return;
    // Create the file with its final mode before anything is written to it;
    // the atomic save that follows keeps the mode of the file it replaces.
    QByteArray fn = settings_->fileName().toLocal8Bit();
    int fd = ::open(fn.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
    settings_->sync();
    dirty_ = false;
    // Passwords of receiver profiles live here: readable by the user only.
    ::chmod(fn.constData(), 0600);
}

std::string TRegistry::Group(const std::string& key) const
{
    std::string rel;
    if (!key.empty() && (key[0] == '\\' || key[0] == '/'))
        rel = Normalise(key);
    else
        rel = Normalise(current_.empty() ? key : current_ + "\\" + key);
    std::string g = RootName(RootKey);
    if (!rel.empty())
        g += "\\" + rel;
    return g;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    std::string rel = (!key.empty() && (key[0] == '\\' || key[0] == '/')) ? Normalise(key)
                      : Normalise(current_.empty() ? key : current_ + "\\" + key);
    if (!canCreate && !rel.empty() && !KeyExists("\\" + rel))
        return false;
    if (canCreate && !rel.empty()) {
        // An empty key still exists: mark it so KeyExists finds it later.
        QString marker = ToGroupPath(std::string(RootName(RootKey)) + "\\" + rel) + "/.key";
        if (!settings_->contains(marker)) {
            settings_->setValue(marker, QStringLiteral("1"));
            dirty_ = true;
        }
    }
    current_ = rel;
    open_ = true;
    return true;
}

void TRegistry::CloseKey()
{
    Flush();
    current_.clear();
    open_ = false;
}

bool TRegistry::KeyExists(const std::string& key)
{
    QString g = ToGroupPath(Group(key));
    for (const QString& k : settings_->allKeys())
        if (k.startsWith(g + "/", Qt::CaseInsensitive))
            return true;
    return false;
}

bool TRegistry::DeleteKey(const std::string& key)
{
    if (!KeyExists(key))
        return false;
    settings_->remove(ToGroupPath(Group(key)));
    dirty_ = true;
    return true;
}

std::vector<std::string> TRegistry::GetKeyNames()
{
    std::vector<std::string> out;
    settings_->beginGroup(ToGroupPath(Group("")));
    for (const QString& g : settings_->childGroups())
        out.push_back(g.toStdString());
    settings_->endGroup();
    return out;
}

std::string TRegistry::ValueKey(const std::string& name) const
{
    // Value names may hold characters QSettings treats specially.
    QString n = QString::fromStdString(name);
    n.replace('%', "%25").replace('/', "%2F").replace('\\', "%5C");
    if (n.isEmpty())
        n = "@";  // the default value
    return (ToGroupPath(Group("")) + "/" + n).toStdString();
}

std::string TRegistry::Raw(const std::string& name, bool& found)
{
    QString k = QString::fromStdString(ValueKey(name));
    found = settings_->contains(k);
    return found ? settings_->value(k).toString().toStdString() : std::string();
}

bool TRegistry::ValueExists(const std::string& name)
{
    bool found;
    Raw(name, found);
    return found;
}

bool TRegistry::DeleteValue(const std::string& name)
{
    if (!ValueExists(name))
        return false;
    settings_->remove(QString::fromStdString(ValueKey(name)));
    dirty_ = true;
    return true;
}

std::vector<std::string> TRegistry::GetValueNames()
{
    std::vector<std::string> out;
    settings_->beginGroup(ToGroupPath(Group("")));
    for (QString k : settings_->childKeys()) {
        if (k == ".key")
            continue;
        if (k == "@")
            k.clear();
        k.replace("%5C", "\\").replace("%2F", "/").replace("%25", "%");
        out.push_back(k.toStdString());
    }
    settings_->endGroup();
    return out;
}

TRegDataType TRegistry::GetDataType(const std::string& name)
{
    bool found;
    std::string raw = Raw(name, found);
    if (!found)
        return TRegDataType::rdUnknown;
    if (StartsWith(raw, kInt))
        return TRegDataType::rdInteger;
    if (StartsWith(raw, kBin))
        return TRegDataType::rdBinary;
    return TRegDataType::rdString;
}

std::string TRegistry::ReadString(const std::string& name)
{
    bool found;
    std::string raw = Raw(name, found);
    if (!found)
        return {};
    if (StartsWith(raw, kStr))
        return raw.substr(kStr.size());
    throw ERegistryException("Invalid data type for '" + name + "'");
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    settings_->setValue(QString::fromStdString(ValueKey(name)), QString::fromStdString(kStr + value));
    dirty_ = true;
}

int TRegistry::ReadInteger(const std::string& name)
{
    bool found;
    std::string raw = Raw(name, found);
    if (!found || !StartsWith(raw, kInt))
        throw ERegistryException("Invalid data type for '" + name + "'");
    try {
        size_t used = 0;
        long long v = std::stoll(raw.substr(kInt.size()), &used);
        if (used != raw.size() - kInt.size())
            throw std::invalid_argument("trailing");
        return int(int32_t(uint32_t(v)));
    } catch (const std::exception&) {
        throw ERegistryException("Invalid data type for '" + name + "'");
    }
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    settings_->setValue(QString::fromStdString(ValueKey(name)), QString::fromStdString(kInt + std::to_string(value)));
    dirty_ = true;
}

bool TRegistry::ReadBool(const std::string& name)
{
    return ReadInteger(name) != 0;
}

void TRegistry::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

std::vector<uint8_t> TRegistry::ReadBinaryData(const std::string& name)
{
    bool found;
    std::string raw = Raw(name, found);
    if (!found || !StartsWith(raw, kBin))
        throw ERegistryException("Invalid data type for '" + name + "'");
    QByteArray b = QByteArray::fromHex(QByteArray::fromStdString(raw.substr(kBin.size())));
    return std::vector<uint8_t>(b.begin(), b.end());
}

void TRegistry::WriteBinaryData(const std::string& name, const std::vector<uint8_t>& data)
{
    QByteArray b(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    settings_->setValue(QString::fromStdString(ValueKey(name)), QString::fromStdString(kBin + b.toHex().toStdString()));
    dirty_ = true;
}

} // namespace cf
