#include "platform/GraphicsObjects.h"

#include "platform/Types.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdlib>
#include <mutex>

namespace cf {

namespace {

bool g_tahoma = false;

void DoRegister()
{
    // fontconfig does not list the Wine fonts, so they are added by file.
    const char* dirs[] = {"/usr/share/wine/fonts", "/usr/lib/wine/fonts", "/opt/wine/fonts"};
    for (const char* d : dirs) {
        QString regular = QString::fromUtf8(d) + "/tahoma.ttf";
        if (!QFile::exists(regular))
            continue;
        if (QFontDatabase::addApplicationFont(regular) >= 0)
            g_tahoma = true;
        QFontDatabase::addApplicationFont(QString::fromUtf8(d) + "/tahomabd.ttf");
        break;
    }
    QString target = g_tahoma ? QStringLiteral("Tahoma") : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* alias : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Segoe UI"})
        QFont::insertSubstitution(QString::fromUtf8(alias), target);
    if (!g_tahoma)
        QFont::insertSubstitution(QStringLiteral("Tahoma"), target);
}

} // namespace

bool RegisterProgramFonts()
{
    static std::once_flag once;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    std::call_once(once, DoRegister);
    return g_tahoma;
}

bool IsFontFamilyInstalled(const std::string& name)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QFontDatabase::hasFamily(QString::fromStdString(name));
}

int TFont::Height() const
{
    return -MulDiv(Size, 96, 72);
}

void TFont::SetHeight(int h)
{
    // A positive height includes the internal leading; the em size is close
    // enough for the dialogs, which only ever give sizes in points.
    Size = MulDiv(h < 0 ? -h : h, 72, 96);
}

QFont TFont::ToQFont() const
{
    RegisterProgramFonts();
    QFont f(QString::fromStdString(Name));
    f.setPixelSize(std::max(1, MulDiv(Size, 96, 72)));
    f.setBold((Style & fsBold) != 0);
    f.setItalic((Style & fsItalic) != 0);
    f.setUnderline((Style & fsUnderline) != 0);
    f.setStrikeOut((Style & fsStrikeOut) != 0);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    if (Quality == TFontQuality::NonAntialiased)
        f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

} // namespace cf
