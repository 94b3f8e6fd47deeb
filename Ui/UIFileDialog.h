#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIDialog.h"

#include <cstdint>
#include <string>

class FCFont;
class UIEditControl;
class UIListBox;

// Chooses a file to open or to save: lists a folder's files matching a
// pattern, takes a picked or typed name, checks it against the file system,
// asks before overwriting and reports the full path to the owner (17 open,
// 18 save; param1 a const std::string* valid during the call). Open stays
// open after 17 (the owner closes it); save closes after 18, sending 28.
class UIFileDialog : public UIDialog
{
public:
    static constexpr std::uint16_t kClassCode = 154;

    enum Mode : std::uint16_t
    {
        kOpen = 0,
        kSave = 1,
    };

    // Children by id.
    static constexpr std::uint16_t kTitleId = 160;
    static constexpr std::uint16_t kFileListId = 161;
    static constexpr std::uint16_t kNameFieldId = 162;
    static constexpr std::uint16_t kCancelId = 163;
    static constexpr std::uint16_t kOkId = 165;
    static constexpr std::uint16_t kCloseId = 168;

    // Character flags of the name field: a name begins with a letter or a
    // digit, goes on with letters, digits and spaces, and fits the field.
    static constexpr std::uint32_t kNameCharacters = 0x50;

    // The layout of the standard messages.
    static constexpr const char* kMessageLayout = "StdFileNotFoundDialog.ui";

    UIFileDialog();
    explicit UIFileDialog(std::uint16_t newId);
    // Takes the mode and re-binds its own list and name field; the other
    // fields start at their defaults.
    UIFileDialog(const UIFileDialog& other);
    ~UIFileDialog() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The dialog, then the list (161) and name field (162), which must be a
    // list box and an edit control.
    bool Load(FCFile& file) override;
    // The answers of the message boxes the checks show.
    void HandleMessage(std::int16_t messageId, void* data) override;
    bool HandleNotify(UIEvent& event) override;
    // A question still open goes with the dialog, unanswered, and the modal
    // window it found is put back.
    void Close(std::uint8_t notify) override;

    // Loads the dialog, sets it up and fills the list; not shown. An empty
    // folder or filter keeps the default; context, when given, is shown
    // instead of the standard messages. Null (logged) when the layout is
    // absent or does not hold a file dialog.
    static UIFileDialog* Open(const std::string& layout, const std::string& title,
                              const std::string& newFolder, const std::string& newFilter,
                              std::uint8_t newShowExtensions, std::uint16_t newMode,
                              FCObject* newOwner, UIDialog* newContext);

    void SetMode(std::uint16_t newMode, std::uint8_t update);
    std::uint16_t GetMode() const { return mode; }
    void SetFolder(const std::string& newFolder) { folder = newFolder; }
    const std::string& GetFolder() const { return folder; }
    void SetFilter(const std::string& newFilter) { filter = newFilter; }
    const std::string& GetFilter() const { return filter; }
    // Fills the name field, then shows or hides OK.
    void SetFileName(const std::string& name);
    std::string GetFileName() const;
    void SetTitle(const std::string& title);
    void SetShowExtensions(std::uint8_t show, std::uint8_t refill);
    void SetContext(UIDialog* newContext);
    UIListBox* GetFileList() const { return fileList; }
    UIEditControl* GetNameField() const { return nameField; }

    // Lists the folder's files that match the filter.
    void FillList();
    // OK is shown and enabled exactly while the name is not empty.
    void UpdateOkButton();
    // The folder, one separator, the name and, with extensions hidden, the
    // filter's extension when it is a plain one and the name lacks it.
    std::string GetFullPath() const;

protected:
    void CheckOpen();
    void CheckSave();
    // The context, or a standard message box, shown modal over this dialog;
    // the modal window before it is restored on the box's answer.
    void ShowMessage(const char* caption, const char* text, std::uint16_t flags);
    void RestoreModal();
    // The list and name field among this dialog's own children.
    bool BindChildren();
    // The filter's extension when it is a plain one ("*.chr" gives ".chr";
    // "*.*", "*.c?r" and "*" give none).
    std::string FilterExtension() const;
    FCFont* RowFont() const;

    std::uint16_t mode = kOpen;
    std::string folder;
    std::string filter = "*.*";
    UIListBox* fileList = nullptr;
    UIEditControl* nameField = nullptr;
    FCCountedRef<UIDialog> context;
    std::uint8_t showExtensions = 1;
    // The window manager's modal window when a message box went up, put
    // back on its answer: this dialog (not held, which would keep it alive)
    // or another window (held).
    FCCountedRef<UIWindow> modalBefore;
    std::uint8_t modalWasSelf = 0;
    std::uint8_t awaitingAnswer = 0;
};
