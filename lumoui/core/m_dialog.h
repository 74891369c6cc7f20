// A toolkit window that hosts a control tree: every window of the program derives from it.
//
// A derived dialog builds its controls in InitUI, lays them out again in UISize and handles
// their notifications in OnMessage (MN_* codes, by control id). Its message handlers (OnTimer,
// OnLButtonDown ...) run before the toolkit's routing and cannot suppress it; an override of
// OnWindowMessage sees every message first and should end by calling MDialog's.
//
//     class AboutDlg : public LumoUI::MDialog {
//         void InitUI(CRect client) override { CreateControl(L"CArea", 10, client, L"", 1, 1); }
//         LRESULT OnMessage(UINT id, UINT code, UINT, LPARAM) override {
//             if (id == 11 && code == MN_CLICKED) DoOK();
//             return 0;
//         }
//     };
//     AboutDlg dlg;
//     dlg.Create(owner, L"About", WS_POPUP, 0, CRect(0, 0, 400, 300));
//     dlg.CenterWindow();
//     if (dlg.ShowModal(SW_SHOW) == IDOK) ...
#pragma once

#include <memory>

#include "lumoui/core/m_object.h"
#include "lumoui/core/m_window.h"
#include "lumoui/core/notifications.h"
#include "lumoui/core/paint_manager.h"

namespace LumoUI {

class LUMOUI_API MDialog : public MWindow, public MObject {
public:
    MDialog();
    // Destroys the window first when it still exists.
    ~MDialog() override;

    // --- MObject ---
    const wchar_t* GetClassNameW() const override;  // "MDialog"
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wparam, LPARAM lparam) override;
    LRESULT OnControlUpdate(CRect rect, int code, MControl* control) override;

    // --- MWindow ---
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    int PreTranslateMessage(MSG* msg) override;
    // Attaches the paint manager and calls InitUI with the client rectangle; 1.
    int OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;

    // --- what a derived dialog overrides ---
    virtual void OnMinimize();  // minimises the window
    virtual void OnMaximize();  // maximises it, or restores it when it is maximised
    virtual void InitUI(CRect client);
    virtual void UISize(CRect client);
    virtual LRESULT OnMessage(UINT id, UINT code, UINT wparam, LPARAM lparam);
    // The close request (WM_USERCLOSEWINDOW): posts WM_CLOSE with the same parameters; 1.
    virtual LRESULT OnUserCloseWindow(UINT code, LPARAM lparam);
    // Window-message handlers; their results are not used. The base versions of OnCreate
    // (frameless style) and OnSize (UISize) do work: call them from an override.
    virtual LRESULT OnCreate(CREATESTRUCTW* create);
    virtual LRESULT OnSize(UINT type, int width, int height);
    virtual LRESULT OnMouseMove(UINT flags, CPoint pt);
    virtual LRESULT OnMouseLeave(UINT wparam, LPARAM lparam);
    virtual LRESULT OnMouseHover(UINT wparam, LPARAM lparam);
    virtual LRESULT OnLButtonDown(UINT flags, CPoint pt);
    virtual LRESULT OnLButtonUp(UINT flags, CPoint pt);
    virtual LRESULT OnLButtonDblClk(UINT flags, CPoint pt);
    virtual LRESULT OnRButtonDown(UINT flags, CPoint pt);
    virtual LRESULT OnRButtonUp(UINT flags, CPoint pt);
    virtual LRESULT OnRButtonDblClk(UINT flags, CPoint pt);
    virtual LRESULT OnNcActivate(BOOL active);
    virtual LRESULT OnWindowPosChanging(WINDOWPOS* pos);  // 1
    virtual LRESULT OnWindowPosChanged(WINDOWPOS* pos);   // 1
    virtual LRESULT OnPaint();
    virtual LRESULT OnTimer(UINT id);
    virtual LRESULT OnClose();  // 1; the window is destroyed afterwards
    virtual LRESULT OnDestroy();
    // After the window is gone; a dialog that deletes itself does it here.
    virtual void PostNcDestroy();

    // --- controls ---
    // Makes a control by class name with this dialog as its parent, in the control layer or
    // (CreateArea) the area layer; none for a class name the factory does not know.
    MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                            int visible, int enabled);
    MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* text,
                         int visible, int enabled);
    MControl* GetControl(UINT id);
    const MControl::ControlList& GetControls() const { return paintManager_.GetControls(); }
    void SetFocusControl(MControl* control);
    PaintManager& GetPaintManager() { return paintManager_; }

    // --- closing: post WM_USERCLOSEWINDOW with the result ShowModal returns ---
    void DoOK();      // IDOK
    void DoCancel();  // IDCANCEL
    void DoClose();   // IDCANCEL
    void DoYes();     // IDYES
    void DoNo();      // IDNO

    // --- settings ---
    void SetLayeredWindow(int on);
    void EnableWndDrag(int on);
    void SetTooltip(const CString& text, CRect rect);
    void ClearTooltip();
    CRect GetClientRectangle() const { return client_; }
    // Applied on every size change: an opacity below 255 makes the window layered with that
    // constant alpha; else a colour key other than white makes that colour transparent.
    void SetupBackTranslucent();

protected:
    int opacity_ = 255;
    COLORREF colorKey_ = 0xFFFFFF;
    int messageOffset_ = 0;  // vertical offset of the message overlay

private:
    // The handler of a message, when the dialog has one.
    void CallHandler(UINT msg, WPARAM wparam, LPARAM lparam);

    PaintManager paintManager_;
    CRect client_;
};

}  // namespace LumoUI
