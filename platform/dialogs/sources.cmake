# Files of platform/dialogs, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
    MessageBoxCaption.cpp
    OpenDialogText.cpp
)
list(APPEND WINDOWS
    CommonDialog.cpp
    DialogClasses.cpp
    MessageDlg.cpp
    OpenDialog.cpp
)
