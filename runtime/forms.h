#pragma once
// Windows and their controls. A window loads the first time anything touches it: design()
// sets the design values, the Win32 window and its controls are created hidden from them,
// and Form_Load runs, once. Unload returns every control to its construction defaults, so
// the next touch loads afresh. Geometry is in twips; a control's place is relative to its
// container (a Frame) or to the window's client area.
//
// Event handlers are bound once, in the window's constructor, and survive unloads:
//     Picture2.on_click = [this] { Picture2_Click(); };
//     Label3.on_mouse_move = [this](int b, int s, float x, float y) { Label3_MouseMove(b, s, x, y); };
//     Timer1.on_timer = [this] { Timer1_Timer(); };
// Events from the message loop run through Form::run_handler: an Unload of the window asked
// for meanwhile waits for the handler's end, and an error escaping the handler is shown in
// a message box. Events that code raises (CheckBox.Value, Label.Caption's on_change, ...)
// run at once and let errors pass to the code that set the value.
//
// Labels, pictures and frames are windowless: the window paints them over its back colour
// and picture in declaration order (later ones on top) and hit-tests them for Click and
// MouseMove; a mouse move over none of them is the window's Form_MouseMove.
//
// The keyboard works as in a dialog, for every window: Tab and Shift+Tab walk the visible,
// enabled controls that take the focus in the order design() first touches them (the
// option buttons of one container are one stop, the arrow keys move and select within
// it); Enter presses the focused button, or else the Default button; Esc the Cancel
// button. A label or picture with a Click takes the focus, and Enter or Space click it.
#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "runtime/system.h"

namespace rt {

class Form;

enum MouseButton : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum WindowState : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum BorderStyle : int { bsNone = 0, bsFixedSingle = 1, bsSizable = 2, bsFixedDialog = 3, bsFixedToolWindow = 4 };
enum UnloadMode : int { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2 };

// Colours: 16-colour palette numbers (QBColor) and RGB values.
COLORREF QBColor(int n);
inline COLORREF RGBColor(int r, int g, int b) { return RGB(r, g, b); }

struct Screen {
    static long Width();          // twips
    static long Height();
    // 1440 / pixels per inch, exactly (7.5 at 192 dpi): the one rule between twips and
    // pixels, both ways.
    static double TwipsPerPixelX();
    static double TwipsPerPixelY();
    static RECT WorkArea();       // twips
};

// While it lives, the layer reckons with a screen of the given pixels per inch instead
// of the system's: a test of display scaling (125 % = 120 dpi, 200 % = 192 dpi, ...).
class ScreenScaling {
public:
    explicit ScreenScaling(int dpi);
    ~ScreenScaling();
    ScreenScaling(const ScreenScaling&) = delete;
    ScreenScaling& operator=(const ScreenScaling&) = delete;

private:
    int previous_;
};
long twips_to_pixels_x(long twips);
long twips_to_pixels_y(long twips);
long pixels_to_twips_x(long pixels);
long pixels_to_twips_y(long pixels);

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

class Control {
public:
    Control(Form& owner, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Form& Parent() const { return owner_; }

    long Left();  void Left(long twips);
    long Top();   void Top(long twips);
    long Width(); void Width(long twips);
    long Height(); void Height(long twips);
    void Move(long left, long top, long width, long height);
    bool Visible(); void Visible(bool v);
    bool Enabled(); void Enabled(bool v);
    std::string ToolTipText(); void ToolTipText(const std::string& t);
    // The frame this control lies in (moves with it), or none.
    Control* Container() const { return container_; }
    void Container(Control* frame);

    HWND hWnd();  // loads the window

    std::function<void()> on_click;
    MouseHandler on_mouse_move;

    // The control takes the focus for a partner that carries its click (the hover picture
    // of a picture button, shown only under the pointer): Enter and Space click the partner,
    // and a click on the partner focuses this control.
    void stands_for(Control& partner);
    Control* stand_in() const { return stand_in_; }

    // Layer internals: creation at load, return to construction defaults at unload.
    virtual void create_window(HWND parent) = 0;
    virtual void reset();
    virtual bool handle_command(WPARAM, LPARAM) { return false; }
    virtual bool handle_notify(NMHDR*) { return false; }
    virtual const char* kind() const = 0;
    // Windowless controls are drawn by their window, in declaration order (later on top).
    virtual bool windowless() const { return false; }
    virtual void paint(HDC) {}
    virtual bool handle_scroll(int /*code*/) { return false; }
    virtual bool draw_item(const DRAWITEMSTRUCT&) { return false; }
    virtual void measure_item(MEASUREITEMSTRUCT&) {}
    virtual HBRUSH control_color(HDC) { return nullptr; }
    virtual void sync_window() {}        // brings a lazily mirrored window up to date
    virtual void key_handled() {}        // after the control's window handled a key
    // The keyboard: whether the control can hold the focus at all, giving it the focus,
    // a key the control acts on itself before the window's keys (true when it did), and
    // where a windowless control draws its focus rectangle.
    virtual bool takes_focus() const;
    virtual void take_focus();
    virtual bool own_key(UINT /*virtual_key*/) { return false; }
    virtual RECT focus_rect(HDC dc);
    Control& click_target() { return partner_ ? *partner_ : *this; }
    int design_rank() const { return design_rank_; }
    void design_rank(int rank) { design_rank_ = rank; }
    RECT pixel_rect();                   // in the window's client area
    bool shown();                        // visible, and so is every container
    bool active();                       // enabled, and so is every container
    void apply_geometry();               // to the window (and to the frame's children)
    void apply_visibility();
    HWND window_handle() const { return hwnd_; }   // does not load
    int id() const { return id_; }
    void id(int v) { id_ = v; }

protected:
    void touch();       // loads the owner
    void invalidate();  // repaints the control's place in the window
    // Raises an event from the message loop (errors are reported) or from code (errors pass on).
    void raise_event(const std::function<void()>& handler);
    void raise_from_code(const std::function<void()>& handler);
    HWND create_child(HWND parent, const char* window_class, const char* text, DWORD style, DWORD ex_style = 0);
    virtual void geometry_changed() {}
    HWND hwnd_ = nullptr;
    long left_ = 0, top_ = 0, width_ = 1215, height_ = 495;
    bool visible_ = true, enabled_ = true;
    std::string tooltip_;
    Control* container_ = nullptr;

private:
    static LRESULT CALLBACK subclass_proc(HWND, UINT, WPARAM, LPARAM);
    WNDPROC base_proc_ = nullptr;
    Form& owner_;
    std::string name_;
    int id_ = 0;
    int design_rank_ = -1;   // the order in which design() first touched it
    Control* partner_ = nullptr;
    Control* stand_in_ = nullptr;
};

// A font of a control: name, size in points, bold.
struct FontSpec {
    std::string name = "MS Sans Serif";
    int size = 8;
    bool bold = false;
    FontSpec() = default;
    FontSpec(const FontSpec&) = delete;
    FontSpec& operator=(const FontSpec&) = delete;
    ~FontSpec() { release(); }
    HFONT handle();   // created on first use
    void release();   // after a change
    void reset();     // back to the default font
private:
    HFONT font_ = nullptr;
};

struct Picture;

class Label : public Control {
public:
    using Control::Control;
    std::string Caption(); void Caption(const std::string& c);
    COLORREF ForeColor(); void ForeColor(COLORREF c);
    COLORREF BackColor(); void BackColor(COLORREF c);
    bool Transparent(); void Transparent(bool t);   // background shows the window's picture
    void Font(const std::string& name, int size_points, bool bold = false);
    bool FontBold(); void FontBold(bool b);
    int FontSize(); void FontSize(int points);
    std::string FontName(); void FontName(const std::string& name);
    bool AutoSize(); void AutoSize(bool a);
    int Alignment(); void Alignment(int a);   // 0 left, 1 right, 2 centre
    std::function<void()> on_change;          // the caption changed
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "Label"; }
    bool windowless() const override { return true; }
    void paint(HDC dc) override;
    RECT focus_rect(HDC dc) override;   // around the caption

private:
    void fit_to_caption();
    void font_changed();
    std::string caption_;
    COLORREF fore_ = RGB(0, 0, 0);
    COLORREF back_ = GetSysColor(COLOR_BTNFACE);
    bool transparent_ = true;
    bool auto_size_ = false;
    int alignment_ = 0;
    FontSpec font_;
};

// PictureBox and Image: a JPEG from a file or from the exe's resources. Windowless: a
// box without a picture or a back colour is see-through.
class PictureBox : public Control {
public:
    using Control::Control;
    // Loads a picture file; raises 53 when it is missing, 481 when it is not a picture.
    void LoadPicture(const std::string& path);
    // Loads a picture built into the exe (resource name); raises 53 when missing.
    void LoadResourcePicture(const std::string& resource_name);
    void ClearPicture();
    bool HasPicture();
    bool AutoSize(); void AutoSize(bool a);   // the box takes the picture's size
    bool Stretch(); void Stretch(bool s);
    COLORREF BackColor(); void BackColor(COLORREF c);
    long PictureWidth();  // twips, 0 without picture
    long PictureHeight();
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "PictureBox"; }
    bool windowless() const override { return true; }
    void paint(HDC dc) override;

private:
    void set_picture(std::shared_ptr<Picture> p);
    void fit_to_picture();
    std::shared_ptr<Picture> picture_;
    bool auto_size_ = false, stretch_ = false;
    bool back_set_ = false;
    COLORREF back_ = GetSysColor(COLOR_BTNFACE);
};
using Image = PictureBox;

// Strings with list-box indexes (no 32767 cap); the window holds them as real strings.
class ListBox : public Control {
public:
    using Control::Control;
    void AddItem(const std::string& item);
    void AddItem(const std::string& item, long index);
    void RemoveItem(long index);   // raises 5 out of range
    void Clear();
    std::string List(long index);  // "" out of range
    void List(long index, const std::string& item);
    long ListCount();
    long ListIndex(); void ListIndex(long i);   // -1 = none; raises no Click
    bool Selected(long i); void Selected(long i, bool s);
    bool MultiSelect(); void MultiSelect(bool m);
    long TopIndex(); void TopIndex(long i);
    COLORREF ForeColor(); void ForeColor(COLORREF c);
    void Font(const std::string& name, int size_points, bool bold = false);
    const std::vector<std::string>& items();    // no load needed by readers that already loaded
    std::function<void()> on_dbl_click;
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "ListBox"; }
    bool draw_item(const DRAWITEMSTRUCT& d) override;
    void measure_item(MEASUREITEMSTRUCT& m) override;
    void sync_window() override;
    void key_handled() override;

private:
    void check_index(long index, int error) const;
    void changed();
    void rows_changed_from(size_t row);
    void sync_rows();
    void read_selection_from_window();
    bool window_selection_differs();
    std::vector<std::string> items_;
    std::vector<char> selected_;   // multi-select only
    long list_index_ = -1;
    long top_index_ = 0;
    bool multi_ = false;
    bool dirty_ = false;
    size_t window_rows_ = 0;   // the window's first rows that match items_
    COLORREF fore_ = GetSysColor(COLOR_WINDOWTEXT);
    FontSpec font_;
};

class CheckBox : public Control {
public:
    using Control::Control;
    std::string Caption(); void Caption(const std::string& c);
    int Value(); void Value(int v);   // 0/1; setting it raises Click when it changes
    COLORREF ForeColor(); void ForeColor(COLORREF c);
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "CheckBox"; }
    HBRUSH control_color(HDC dc) override;

private:
    std::string caption_;
    int value_ = 0;
    COLORREF fore_ = GetSysColor(COLOR_BTNTEXT);
    bool fore_set_ = false;
};

// Exclusive with the other option buttons of its container (or window).
class OptionButton : public Control {
public:
    using Control::Control;
    std::string Caption(); void Caption(const std::string& c);
    bool Value(); void Value(bool v);  // setting True clears its group and raises Click
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "OptionButton"; }
    HBRUSH control_color(HDC dc) override;   // over the window's back colour
    void take_focus() override;   // without choosing the option

private:
    void set_checked(bool v);
    std::string caption_;
    bool value_ = false;
    bool focusing_ = false;
};

class CommandButton : public Control {
public:
    using Control::Control;
    std::string Caption(); void Caption(const std::string& c);
    bool Default(); void Default(bool d);
    bool Cancel(); void Cancel(bool c);
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "CommandButton"; }

private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

class TextBox : public Control {
public:
    using Control::Control;
    std::string Text(); void Text(const std::string& t);
    char PasswordChar(); void PasswordChar(char c);   // 0 = shows the text
    bool Locked(); void Locked(bool l);
    bool MultiLine(); void MultiLine(bool m);
    void SetFocus();
    std::function<void()> on_change;
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "TextBox"; }

private:
    std::string text_;
    char password_char_ = 0;
    bool locked_ = false, multi_line_ = false;
    bool setting_text_ = false;
};

class Frame : public Control {
public:
    using Control::Control;
    std::string Caption(); void Caption(const std::string& c);
    // The controls whose container is this frame, optionally of one kind ("CheckBox").
    std::vector<Control*> children(const char* kind = nullptr);
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "Frame"; }
    bool windowless() const override { return true; }
    void paint(HDC dc) override;

protected:
    void geometry_changed() override;

private:
    std::string caption_;
    FontSpec font_;
};

class VScrollBar : public Control {
public:
    using Control::Control;
    long Min(); void Min(long v);
    long Max(); void Max(long v);
    long Value(); void Value(long v);   // raises Change when it changes
    long SmallChange(); void SmallChange(long v);
    long LargeChange(); void LargeChange(long v);
    std::function<void()> on_change;
    std::function<void()> on_scroll;
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "VScrollBar"; }
    bool handle_scroll(int code) override;

private:
    void update_window();
    long clamp(long v) const;
    long min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
};

// Ticks while the message loop runs (yields and modal message boxes included); a tick
// never re-enters its own running handler. Interval 0 never fires.
class Timer : public Control {
public:
    using Control::Control;
    long Interval(); void Interval(long ms);   // restarts the period
    bool Enabled(); void Enabled(bool e);     // enabling restarts the period
    std::function<void()> on_timer;
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "Timer"; }
    void fire();   // layer internal
private:
    void rearm();
    long interval_ = 0;
    bool timer_enabled_ = true;
    bool running_ = false;
};

// Max equal to Min is accepted; an out-of-range value is clamped.
class ProgressBar : public Control {
public:
    using Control::Control;
    long Min(); void Min(long v);
    long Max(); void Max(long v);
    long Value(); void Value(long v);
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "ProgressBar"; }
    bool takes_focus() const override { return false; }

private:
    void update_window();
    long min_ = 0, max_ = 100, value_ = 0;
};

class Slider : public Control {
public:
    using Control::Control;
    long Min(); void Min(long v);
    long Max(); void Max(long v);
    long Value(); void Value(long v);
    long TickFrequency(); void TickFrequency(long v);
    std::function<void()> on_change;   // the user moved it (on_click: the user let go)
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_notify(NMHDR*) override;
    bool handle_scroll(int code) override;
    const char* kind() const override { return "Slider"; }
    HBRUSH control_color(HDC dc) override;   // over the window's back colour

private:
    void update_window();
    long min_ = 0, max_ = 10, value_ = 0, tick_ = 1;
};

class TabStrip : public Control {
public:
    using Control::Control;
    void AddTab(const std::string& caption);
    long SelectedIndex(); void SelectedIndex(long i);
    std::function<void()> on_click_tab;
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_notify(NMHDR*) override;
    const char* kind() const override { return "TabStrip"; }

private:
    std::vector<std::string> tabs_;
    long selected_ = 0;
};

// Drive, folder and file list boxes. A drive that is not ready raises 68, no system dialog.
class DriveListBox : public Control {
public:
    using Control::Control;
    std::string Drive(); void Drive(const std::string& d);   // "c:" or "c: [label]"
    long ListCount(); std::string List(long i);
    std::function<void()> on_change;
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "DriveListBox"; }

private:
    void fill_window();
    std::string drive_;   // "c:"; empty = the current drive
};

class DirListBox : public Control {
public:
    using Control::Control;
    std::string Path(); void Path(const std::string& p);   // raises 76 for a missing folder
    long ListCount(); std::string List(long i);   // sub-folders of Path
    long ListIndex(); void ListIndex(long i);
    std::function<void()> on_change;
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "DirListBox"; }
    bool own_key(UINT virtual_key) override;   // Enter opens the folder, as a double click

private:
    void read_folder();
    void fill_window();
    void open_row(long row);
    std::string path_;   // empty = the current folder
    std::vector<std::string> folders_;
    long list_index_ = -1;
};

class FileListBox : public Control {
public:
    using Control::Control;
    std::string Path(); void Path(const std::string& p);
    std::string Pattern(); void Pattern(const std::string& p);
    // Whether hidden and system files are listed too (neither is by default).
    bool Hidden(); void Hidden(bool h);
    bool System(); void System(bool s);
    std::string FileName(); void FileName(const std::string& f);
    long ListCount(); std::string List(long i);
    long ListIndex(); void ListIndex(long i);
    bool Selected(long i); void Selected(long i, bool s);
    void Refresh();
    std::function<void()> on_change;   // the path changed
    void create_window(HWND parent) override;
    void reset() override;
    bool handle_command(WPARAM, LPARAM) override;
    const char* kind() const override { return "FileListBox"; }

private:
    void read_folder();
    void fill_window();
    std::string path_;
    std::string pattern_ = "*.*";
    bool hidden_ = false, system_ = false;
    std::vector<std::string> files_;
    std::vector<char> selected_;
    long list_index_ = -1;
};

// Plays an AVI file; a file that cannot be opened is tolerated.
class Animation : public Control {
public:
    using Control::Control;
    bool Open(const std::string& path);
    void Play();
    void Stop();
    void Close();
    void create_window(HWND parent) override;
    void reset() override;
    const char* kind() const override { return "Animation"; }
    bool takes_focus() const override { return false; }

private:
    std::string file_;
    bool playing_ = false;
};

class Form {
public:
    Form(System& sys, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    System& sys() const { return sys_; }

    bool is_loaded() const { return loaded_; }   // does not load
    // An Unload asked for inside one of the window's running handlers, waiting for its end:
    // a long handler that yields checks it to stop early.
    bool unload_pending() const { return unload_pending_; }
    void Load();
    void Show();     // modeless
    void Hide();
    // Runs Form_QueryUnload and Form_Unload (either may cancel), then destroys the window
    // and its timers. Inside one of the window's own handlers it is deferred to the end
    // of that handler. Returns false when cancelled.
    bool Unload();

    std::string Caption(); void Caption(const std::string& c);
    long Left();  void Left(long twips);    // outer frame
    long Top();   void Top(long twips);
    long Width(); void Width(long twips);
    long Height(); void Height(long twips);
    void Move(long left, long top);
    long ScaleWidth(); long ScaleHeight();  // client area
    void ScaleSize(long width, long height); // sets the client area (design)
    bool Visible(); void Visible(bool v);
    bool Enabled(); void Enabled(bool e);
    int WindowState(); void WindowState(int s);
    int BorderStyle(); void BorderStyle(int s);   // design only: applied at creation
    bool ShowInTaskbar(); void ShowInTaskbar(bool s);  // design only
    bool ControlBox(); void ControlBox(bool c);   // design only
    COLORREF BackColor(); void BackColor(COLORREF c);
    void LoadPicture(const std::string& path);   // window background; raises 53
    void LoadResourcePicture(const std::string& resource_name);
    void ClearPicture();
    void SetIcon(const std::string& resource_name);   // icon resource by name, or "1" for id 1
    HICON Icon();  // the window's icon
    void ZOrderTop();
    HWND hWnd();   // loads
    // Esc closes the window as its close box does (a window without a Cancel button). Design only.
    bool CloseOnEscape(); void CloseOnEscape(bool c);
    // The control with the focus (a windowless one while the window holds it), or none.
    Control* ActiveControl();

    std::vector<Control*> controls();             // in declaration order
    std::vector<Control*> controls_of(const char* kind);

    // Runs the handler when the window receives the registered window message of that
    // name (for example "TaskbarCreated" after Explorer restarts). Bound once, like events.
    void on_registered_message(const std::string& name, std::function<void()> handler);

    // Layer internals.
    void ensure_loaded();
    void register_control(Control* c);
    void unregister_control(Control* c);
    void enter_handler();
    void leave_handler();
    // Runs one event handler of this window with the deferral rule and error guard.
    void run_handler(const std::function<void()>& handler);
    LRESULT window_proc(HWND, UINT, WPARAM, LPARAM);
    void invalidate_pixels(const RECT& r);
    void request_sync();   // mirrors changed controls into their windows at the next message
    void update_tooltip(Control& c);
    HBRUSH background_brush(HDC dc);   // for controls drawn over the window's back colour
    // The keyboard (form_keys.cpp).
    void note_design_touch(Control& c);
    void note_focus(Control* c);       // a control's window got the focus
    void focus_control(Control& c);
    bool can_focus(Control& c);
    std::vector<Control*> tab_stops();  // in tab order, one per option group
    bool handle_key(const MSG& msg);   // true when the key was the window's
    static Form* of_window(HWND hwnd);  // the window of a top-level handle, or none

private:
    Control* focus_to_restore();
    void restore_focus();
    void focus_on_show();
    void move_focus(bool backwards);
    bool move_in_option_group(Control& option, bool backwards);
    bool press_button_of(bool want_default);
    void click(Control& c);
    void invalidate_focus();
    void draw_focus(HDC dc);
    bool unload_with_mode(int mode);
    void create_form_window();
    void destroy_form_window();
    void render(HDC dc, const RECT& area);
    void paint_controls(HDC dc, Control* container, const RECT& area);
    void paint_now();
    Control* hit_test(POINT pt, Control* container);
    void mouse_event(UINT msg, WPARAM wp, LPARAM lp);
    DWORD window_style() const;
    DWORD window_ex_style() const;

public:

protected:
    virtual void design() {}   // design values of the window and its controls, at each load
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& /*cancel*/, int /*unload_mode*/) {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_Resize() {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_Click() {}
    virtual void Form_Activate() {}

    int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "") {
        return sys_.MsgBox(text, style, title);
    }
    void DoEvents() { sys_.DoEvents(); }

private:
    struct Impl;
    Impl* impl_ = nullptr;
    System& sys_;
    std::string name_;
    bool loaded_ = false;
    std::vector<Control*> controls_;
    int handler_depth_ = 0;
    bool unload_pending_ = false;
    std::vector<std::pair<UINT, std::function<void()>>> registered_handlers_;
};

// The window message loop, until WM_QUIT; returns its exit code.
int run_message_loop();
// One message of a loop: a window's keys (Tab, Enter, Esc, ...) first, then the usual
// translation and dispatch.
void dispatch_message(MSG& msg);

// Sets up the user-interface thread (no critical-error dialogs, COM, common controls),
// and releases COM at the end.
void start_ui();
void stop_ui();

} // namespace rt
