// The unit icon commands of the File menu: the icon dump (F5), resetting every
// unit's seasonal icons, and the transparency colour; and the start-up warning
// about IconMap.csv.
#include <QDir>
#include <QSaveFile>

#include "app/main_window.h"
#include "editors/bulk_edits.h"
#include "editors/step_labels.h"
#include "editors/unit_page.h"
#include "graphics/colour_form.h"
#include "graphics/icon_dump.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace fs = std::filesystem;

void TSDIAppForm::DumpIconBitmaps1Click()
{
    const std::pair<UnitPage::IconPart, const char*> parts[] = {
        {UnitPage::HullPart, kHullDumpName}, {UnitPage::TurretPart, kTurretDumpName}, {UnitPage::BigPart, kBigDumpName}};
    // The icons go where the status line says the OOB files are, whatever folder the process stands in.
    const fs::path& dir = folders_.OOBDir;
    const QString where = QDir::toNativeSeparators(PathToQt(dir));
    QStringList written;
    for (const auto& [part, name] : parts) {
        const std::optional<IndexedImage>& icon = unitPage_->ShownIcon(part);
        if (!icon)
            continue;
        const std::vector<std::uint8_t> bmp = IconDumpBmp(*icon);
        const QString path = PathToQt(dir / name);
        // Written whole to a temporary file that replaces the old dump only when complete.
        QSaveFile file(path);
        const bool ok = file.open(QIODevice::WriteOnly) &&
                        file.write(reinterpret_cast<const char*>(bmp.data()), static_cast<qint64>(bmp.size())) ==
                            static_cast<qint64>(bmp.size()) &&
                        file.commit();
        if (!ok) {
            const QString reason = file.errorString();
            file.cancelWriting();
            SetStatus(written.isEmpty()
                          ? QStringLiteral("Icon dump failed: nothing written")
                          : QStringLiteral("Icon dump failed after %1 in %2").arg(written.join(QStringLiteral(", ")), where));
            dialogs_.Message(this, QStringLiteral("Dump Icon Bitmaps"),
                             QStringLiteral("Could not write the icon bitmap\r\n%1\r\n\r\n%2")
                                 .arg(QDir::toNativeSeparators(path), reason),
                             Dialogs::Icon::Error);
            return;
        }
        written << QString::fromLatin1(name);
    }
    if (written.isEmpty()) {
        SetStatus(QStringLiteral("No unit icon is shown - no icon bitmap written"));
        return;
    }
    SetStatus(QStringLiteral("Icon bitmaps written to %1: %2").arg(where, written.join(QStringLiteral(", "))));
}

void TSDIAppForm::ResetAllIcons1Click()
{
    if (!oob_.FileLoaded)
        return;
    if (!dialogs_.Question(this, QStringLiteral("Icon Initialise"),
                           QStringLiteral("Do you really want to set all Icons to Summer?")))
        return;
    int changed = 0;
    Tracked([this, &changed] { changed = ResetAllIcons(oob_); },
            [&changed](const ChangeCounts&) { return ResetIconsLabel(changed); });
    RefreshShownPage();
    SetStatus(QStringLiteral("Winter and desert icons set to summer: %1 unit%2 changed")
                  .arg(changed)
                  .arg(changed == 1 ? "" : "s"));
}

void TSDIAppForm::ChangeTransparentColour1Click()
{
    if (!colourForm_)
        colourForm_ = new TFormColour(this);
    // Tried out on the unit shown; kept for this run only, never written to BRVX.ini.
    settings_.TransparentColour = colourForm_->Run(settings_.TransparentColour, [this](int colour) {
        settings_.TransparentColour = colour;
        unitPage_->SetTransparentColour(colour);
    });
}

void TSDIAppForm::ReportIconMapProblems()
{
    if (iconMapMessages_.empty())
        return;
    const std::string text = IconMapWarningText(iconMapMessages_);
    iconMapMessages_.clear();
    dialogs_.Message(this, QStringLiteral("Brackle"), SystemTextToQt(text), Dialogs::Icon::Warning);
}

}  // namespace brackle
