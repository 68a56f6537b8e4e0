// CEditItemTypeDlg: "Edit Item Type": name, icon, default reminder, reminder options, the reminder
// window's custom font and colours, and the reminder sound of one item type. A window over
// CItemTypeEditor.
//
// The Options dialog's item-types page opens it on a copy of a type:
//     CEditItemTypeDlg dialog(names, type, index, smallIcon, largeIcon, parent);
//     if (dialog.exec() == QDialog::Accepted) { dialog.GetItemType(); dialog.GetSmallIcon(); ... }
#pragma once

#include "editing/types/IconSource.h"
#include "editing/types/ItemTypeEditor.h"

#include <QDialog>
#include <functional>

class CColorButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CEditItemTypeDlg : public QDialog
{
    Q_OBJECT
  public:
    // `typeNames`: every type's name in list order (for the duplicate check); `index`: the
    // edited type's place in it, -1 for a new type; the icons are the type's 16 and 32-pixel ones.
    CEditItemTypeDlg(const QStringList &typeNames, const CItemType &type, int index,
                     const ImagePixels &smallIcon, const ImagePixels &largeIcon, QWidget *parent = nullptr);

    // After OK: the edited record and its icons.
    const CItemType &GetItemType() const { return m_editor.Type(); }
    const ImagePixels &GetSmallIcon() const { return m_small; }
    const ImagePixels &GetLargeIcon() const { return m_large; }
    CItemTypeEditor &Editor() { return m_editor; }

    // The reminder sound set-up the program offers (the shell's Setup Sound dialog); without one
    // "Sound..." picks a sound file.
    using SoundDialogFn = std::function<bool(CReminderSound &sound, QWidget *parent)>;
    static void SetSoundDialog(SoundDialogFn dialog);

    // Change Icon... after its dialog closed with a source and an index: false when the source
    // does not give both icons (nothing changes then).
    bool TakeIcon(const QString &path, int index);
    // The colour and font choices as their dialogs return them.
    void TakeTextColor(COLORREF colour);
    void TakeBackColor(COLORREF colour);
    void TakeFont(const QFont &font);
    QString SampleText() const;

    void accept() override;

  private:
    void BuildForm();
    void RefreshSample();
    void RefreshStates();
    void ChangeIcon();
    void ChooseColor(bool background);
    void ChangeFont();
    void ChangeSound();
    QFont SampleFont() const;
    int Dpi() const;

    CItemTypeEditor m_editor;
    ImagePixels m_small;
    ImagePixels m_large;
    QLineEdit *m_name = nullptr;
    QLabel *m_icon = nullptr;
    QComboBox *m_lead = nullptr;
    QCheckBox *m_noWindowAfter = nullptr;
    QCheckBox *m_synchronise = nullptr;
    QCheckBox *m_busyDays = nullptr;
    QCheckBox *m_ownColors = nullptr;
    QCheckBox *m_ownFont = nullptr;
    QLabel *m_textLabel = nullptr;
    QLabel *m_backLabel = nullptr;
    CColorButton *m_textColor = nullptr;
    CColorButton *m_backColor = nullptr;
    QPushButton *m_fontButton = nullptr;
    QLabel *m_sample = nullptr;
    QLineEdit *m_sound = nullptr;
};
