#pragma once
// TApplication: the hidden application window, the title every message box
// carries, the forms (it owns them), the message loop and pumping, hooks on
// the application window, and the exception handler of every callback.

#include "platform/classes/Component.h"
#include "platform/controls/Messages.h"
#include "platform/forms/Form.h"

#include <exception>
#include <string>
#include <vector>
#include <windows.h>

using TWindowHook = TEvent<TMessage&, bool&>;
using TExceptionEvent = TEvent<TObject*, const std::exception&>;

class TApplication : public TComponent {
    TESSARO_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    void BeforeDestruction() override;

    // Loads the common controls and makes the application window.
    void Initialize();
    HWND Handle() const { return FHandle; }

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);

    // Creates a form of class T owned by the application and reads its
    // resource; the first form created becomes the main form.
    template <class T> void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        try {
            form->ReadFormResource();
        } catch (...) {
            reference = nullptr;
            Free(form);
            throw;
        }
        if (!FMainForm)
            FMainForm = form;
    }
    TCustomForm* MainForm() const { return FMainForm; }

    // Shows the main form and dispatches messages until the application
    // is terminated.
    void Run();
    // Dispatches every pending message (paints included) and returns. A
    // WM_QUIT is not swallowed: it ends the application.
    void ProcessMessages();
    // Waits for one message and dispatches it.
    void HandleMessage();
    void Terminate();
    // Frees every form and its components (after the loop).
    void DestroyForms();

    void HookMainWindow(const TWindowHook& hook);
    void UnhookMainWindow(const TWindowHook& hook);

    // Shows an exception raised in a callback of Sender (or hands both to
    // OnException, when set; a null Sender becomes the application).
    void HandleException(TObject* sender, const std::exception& e);
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;

    // A modal message box with the title as caption.
    int MessageBox(const std::string& text, UINT flags, HWND owner = nullptr);

    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void WndProc(TMessage& message);
    bool ProcessMessage(MSG& msg);

    HWND FHandle = nullptr;
    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    std::vector<TWindowHook> FHooks;
};

extern TApplication* Application;

// Unit start-up and shutdown of the forms layer: creates and frees the
// Application and Screen objects.
void InitializeFormsUnit();
void FinalizeFormsUnit();
