// Builds a window's controls from its template: one widget per control,
// placed in dialog units, with the template's styles, focus and tab order,
// and its notifications wired to the window's dispatch.
#include "toolkit/widgets/dialogwindow.h"

#include "toolkit/widgets/dialogfont.h"
#include "toolkit/widgets/edit.h"
#include "toolkit/widgets/groupbox.h"
#include "toolkit/widgets/ipaddressfield.h"
#include "toolkit/widgets/listbox.h"
#include "toolkit/widgets/multilineedit.h"
#include "toolkit/widgets/progressbar.h"
#include "toolkit/widgets/pushbutton.h"
#include "toolkit/widgets/staticframe.h"
#include "toolkit/widgets/statictext.h"
#include "toolkit/widgets/tabcontrol.h"
#include "toolkit/widgets/trackbar.h"

namespace tk {

namespace {

qt::Edges edgesOf(const ControlTemplate &control)
{
    return {.raised = hasFlag(control.exStyle, exstyle::DlgModalFrame),
            .border = hasFlag(control.style, style::Border),
            .sunken = hasFlag(control.exStyle, exstyle::ClientEdge),
            .thin = hasFlag(control.exStyle, exstyle::StaticEdge)};
}

// Statics and the progress bar never take the focus; a control without
// WS_TABSTOP is skipped by Tab but may still be clicked into.
Qt::FocusPolicy focusPolicyOf(const ControlTemplate &control)
{
    switch (control.kind) {
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::GroupBox:
    case ControlKind::ProgressBar:
        return Qt::NoFocus;
    default:
        return hasFlag(control.style, style::TabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    }
}

} // namespace

void DialogWindow::build()
{
    QWidget *previousStop = nullptr;
    for (const ControlTemplate &control : m_template.controls) {
        QWidget *widget = makeControl(control);
        const PixelRect place = duToPixels(control.x, control.y, control.cx, control.cy, m_baseUnits);
        widget->setGeometry(place.x, place.y, place.width, place.height);
        widget->setProperty("templateId", control.id);
        widget->setAccessibleName(QString::fromUtf8(control.caption));
        const Qt::FocusPolicy policy = focusPolicyOf(control);
        widget->setFocusPolicy(policy);
        if (QWidget *proxy = widget->focusProxy())
            proxy->setFocusPolicy(policy);
        if (hasFlag(control.style, style::TabStop) && policy != Qt::NoFocus) {
            if (previousStop != nullptr)
                setTabOrder(previousStop, widget);
            previousStop = widget;
        }
        widget->setEnabled(!hasFlag(control.style, style::Disabled));
        widget->setVisible(hasFlag(control.style, style::Visible));
        if (control.id != kNoId && !m_items.contains(control.id))
            m_items.insert(control.id, widget);
        m_controls.push_back(widget);
        connectControl(control, widget);
    }
    placeWindow();
}

QWidget *DialogWindow::makeControl(const ControlTemplate &control)
{
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
    case ControlKind::PushButton: {
        auto *button = new qt::PushButton(caption, this);
        button->setDefault(hasFlag(control.style, style::BsDefPushButton));
        return button;
    }
    case ControlKind::IpAddress:
        return new qt::IpAddressField(this);
    case ControlKind::Label: {
        auto *label = new qt::StaticText(caption, this);
        label->setNoPrefix(hasFlag(control.style, style::SsNoPrefix));
        return label;
    }
    case ControlKind::Frame:
        return new qt::StaticFrame(edgesOf(control), this);
    case ControlKind::Edit: {
        const bool readOnly = hasFlag(control.style, style::EsReadOnly);
        if (hasFlag(control.style, style::EsMultiline)) {
            auto *edit = new qt::MultiLineEdit(this);
            if (!readOnly)
                edit->setReadOnly(false);
            return edit;
        }
        auto *edit = new qt::Edit(this);
        edit->setReadOnly(readOnly);
        edit->setAlignment(hasFlag(control.style, style::EsCenter) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        return edit;
    }
    case ControlKind::ProgressBar:
        return new qt::ProgressBar(this);
    case ControlKind::TabControl:
        return new qt::TabControl(this);
    case ControlKind::ListBox:
        return new qt::ListBox(this);
    case ControlKind::Slider: {
        auto *slider = new qt::Trackbar(hasFlag(control.style, style::TbsVert) ? Qt::Vertical : Qt::Horizontal, this);
        slider->setEdges(edgesOf(control));
        return slider;
    }
    case ControlKind::GroupBox: {
        auto *group = new qt::GroupBox(caption, this);
        group->setEdges(edgesOf(control));
        return group;
    }
    }
    return new QWidget(this);
}

void DialogWindow::connectControl(const ControlTemplate &control, QWidget *widget)
{
    const int id = control.id;
    if (auto *button = qobject_cast<qt::PushButton *>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id, widget] {
            dispatch({.kind = EventKind::Command, .id = id, .code = BN_CLICKED, .control = widget});
        });
    } else if (auto *list = qobject_cast<qt::ListBox *>(widget)) {
        // A list reports double-clicks only with LBS_NOTIFY.
        if (hasFlag(control.style, style::LbsNotify)) {
            connect(list, &qt::ListBox::doubleClicked, this, [this, id, widget] {
                dispatch({.kind = EventKind::Command, .id = id, .code = LBN_DBLCLK, .control = widget});
            });
        }
    } else if (auto *tabs = qobject_cast<qt::TabControl *>(widget)) {
        connect(tabs, &qt::TabControl::selectionChanged, this, [this, id, widget] {
            dispatch({.kind = EventKind::Notify, .id = id, .code = TCN_SELCHANGE, .control = widget});
        });
    } else if (auto *slider = qobject_cast<qt::Trackbar *>(widget)) {
        connect(slider, &qt::Trackbar::scrolled, this, [this, slider](int code) {
            dispatch({.kind = slider->orientation() == Qt::Horizontal ? EventKind::HScroll : EventKind::VScroll,
                      .code = code,
                      .position = slider->position(),
                      .control = slider});
        });
    }
}

} // namespace tk
