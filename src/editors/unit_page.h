// The Units page's form: one unit of the loaded file as edits, derived labels
// and colour indicators. The controls are the working copy; the record changes
// only when SaveUnit runs (on Commit).
#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>

#include "editors/unit_fields.h"
#include "editors/unit_rules.h"
#include "graphics/graphics_cache.h"
#include "graphics/icon_map.h"
#include "graphics/indexed_image.h"
#include "oob/records.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace brackle {

class Dialogs;

class UnitPage : public QWidget {
    Q_OBJECT

public:
    UnitPage(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills every control from UnitTable[CurrentUnit].
    void ShowUnit();
    // Stores the controls into UnitTable[CurrentUnit], applies the class rules and
    // shows the unit again. When a text is no number, says which and stores
    // nothing; gives false then.
    bool SaveUnit();
    // The weapon rules over the values a commit of the page's texts stores; shows
    // their messages; true when the unit may be saved.
    bool CheckUnitWeapons();
    // Commit paints the number label navy before it checks the unit.
    void PaintNumberLabelNavy();
    // Clears the page the way the Erase command does; nothing is stored.
    void EraseUnit();
    // Reads the controls into xfer; fields without a control keep what xfer held.
    // Refuses like SaveUnit when a text is no number.
    bool FillXferBufferUnit(UnitRecord& xfer);
    // Writes a record into the controls as a paste does, following the options.
    void PasteToUnit(const UnitRecord& record, const PasteOptions& options);

    // The pick buttons.
    void UnitPickUCBtnClick();
    void UnitPickMCBtnClick();
    void UnitGetNationBtnClick();
    void UnitWpnPickBtnClick(int slot);  // slot 1..4

    QLineEdit* Edit(UnitFieldId id) const { return edits_[id]; }
    UnitTexts Texts() const;

    // The icon and picture panel. The page draws from the game's graphics and
    // pictures folders (setting them forgets what was read before), with the
    // icon map given (the built-in one until then; it must outlive the page),
    // on the transparent colour given (240 until then).
    void SetGraphicsFolders(const std::filesystem::path& graphicsDir, const std::filesystem::path& picturesDir);
    void SetIconMap(const IconMap* map);
    void SetTransparentColour(int colour);  // redraws the icons
    int TransparentColour() const { return transparent_; }
    // Reads the folders afresh from the next drawing on (another file was opened).
    void DropGraphicsCache();
    // Draws the summer icon and the picture of the page's texts.
    void RefreshPictures();
    // The pictures of the icon images shown, unscaled; nothing for one that is hidden.
    enum IconPart { HullPart, TurretPart, BigPart };
    const std::optional<IndexedImage>& ShownIcon(IconPart part) const { return shownIcons_[part]; }

    // The picture of the number in UnitLBMEdit, or none.
    void UnitLBMEditChange();
    // Opens the picture browser on the number in UnitLBMEdit and takes its choice.
    void LBMPickButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The icon display of one of the icon edits (UfIcon, UfWinterIcon,
    // UfDesertIcon). The summer run also enables the seasonal edits or not; with
    // follow, disabled seasonal edits then take the summer icon's number.
    void ShowIcons(UnitFieldId iconEdit, bool follow = false);
    void ShowIcon(IconPart part, const std::optional<IndexedImage>& image, int scale);
    void HideIcons();
    QWidget* BuildIdentity();
    QWidget* BuildPictures();
    QWidget* BuildAvailability();
    QWidget* BuildCapacity();
    QWidget* BuildSensors();
    QWidget* BuildWeapons();
    QWidget* BuildArmour();
    QLineEdit* MakeEdit(UnitFieldId id, QWidget* parent);
    QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent);
    void WireIndicators();
    void WirePictures();
    QString TextOf(UnitFieldId id) const;
    std::array<std::string, 4> WeaponTexts() const;
    void RunEWRule();
    void RunROF();
    void RunNationRule();
    void ShowWeaponName(int slot, int weapon);
    bool Refused(UnitFieldId id, const UnitTexts& texts);

    Oob& oob_;
    Dialogs& dialogs_;
    // The record the edits were last written from (by ShowUnit, field by field by
    // a paste): a commit keeps its value in every field the user left as it was.
    UnitRecord shown_;
    std::array<QLineEdit*, UnitFieldCount> edits_{};
    QLabel* numLabel_ = nullptr;
    QLabel* nationLabel_ = nullptr;
    QLabel* classLabel_ = nullptr;
    QLabel* mcLabel_ = nullptr;
    std::array<QLabel*, 4> weaponNames_{};
    QLabel* visionLabel_ = nullptr;  // Label58
    QLabel* rfLabel_ = nullptr;      // Label60
    QLabel* fcLabel_ = nullptr;      // Label61
    QLabel* sdLabel_ = nullptr;      // Label62
    QLabel* rofLabel_ = nullptr;     // Label63
    QLabel* ewLabel_ = nullptr;      // Label42
    QLabel* ewNote_ = nullptr;       // LabelEW

    QLabel* lbmImage_ = nullptr;                // LBMImage
    std::array<QLabel*, 3> iconImages_{};       // HullImage, TurretImage, BigImage
    std::array<std::optional<IndexedImage>, 3> shownIcons_;
    GraphicsCache graphics_;
    IconMap builtInMap_;
    const IconMap* map_ = &builtInMap_;
    int transparent_ = 240;
    // Set while the page is filled from a record (show, paste, erase): the
    // panel is drawn once at the end, and no edit follows another.
    bool filling_ = false;
    // Set while the seasonal edits take the summer icon's number.
    bool following_ = false;
};

// The screen colour of an indicator colour; WindowText is the palette's own.
QColor ScreenColour(Colour c, bool forEdit);
void PaintEdit(QLineEdit* edit, Colour c);
void PaintLabel(QLabel* label, Colour c);

}  // namespace brackle
