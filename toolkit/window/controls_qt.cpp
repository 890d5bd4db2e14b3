// The control operations on the Qt controls of toolkit/widgets/.
#include "toolkit/window/controls.h"

#include "toolkit/widgets/dialogwindow.h"
#include "toolkit/widgets/edit.h"
#include "toolkit/widgets/ipaddressfield.h"
#include "toolkit/widgets/listbox.h"
#include "toolkit/widgets/multilineedit.h"
#include "toolkit/widgets/progressbar.h"
#include "toolkit/widgets/pushbutton.h"
#include "toolkit/widgets/statictext.h"
#include "toolkit/widgets/tabcontrol.h"
#include "toolkit/widgets/trackbar.h"

namespace tk {

namespace {

QWidget *widget(HWND handle)
{
    return static_cast<QWidget *>(handle);
}

template <class T>
T &as(HWND handle)
{
    return *qobject_cast<T *>(handle);
}

} // namespace

void registerControlClasses() {}

void Control::setText(const char *text)
{
    const QString shown = QString::fromUtf8(text);
    if (auto *edit = qobject_cast<QLineEdit *>(m_handle))
        edit->setText(shown);
    else if (auto *multiLine = qobject_cast<QPlainTextEdit *>(m_handle))
        multiLine->setPlainText(shown);
    else if (auto *button = qobject_cast<QAbstractButton *>(m_handle))
        button->setText(shown);
    else if (auto *label = qobject_cast<QLabel *>(m_handle))
        label->setText(shown);
}

std::string Control::text() const
{
    if (const auto *edit = qobject_cast<QLineEdit *>(m_handle))
        return edit->text().toStdString();
    if (const auto *multiLine = qobject_cast<QPlainTextEdit *>(m_handle))
        return multiLine->toPlainText().toStdString();
    if (const auto *button = qobject_cast<QAbstractButton *>(m_handle))
        return button->text().toStdString();
    if (const auto *label = qobject_cast<QLabel *>(m_handle))
        return label->text().toStdString();
    return {};
}

void Control::setEnabled(bool enabled)
{
    widget(m_handle)->setEnabled(enabled);
}

bool Control::isEnabled() const
{
    return widget(m_handle)->isEnabled();
}

void Control::setVisible(bool visible)
{
    widget(m_handle)->setVisible(visible);
}

bool Control::isVisible() const
{
    return widget(m_handle)->isVisible();
}

void Control::repaint()
{
    widget(m_handle)->repaint();
}

void IpAddressField::setRange(int field, int low, int high)
{
    as<qt::IpAddressField>(m_handle).setRange(field, low, high);
}

void IpAddressField::setField(int field, int value)
{
    as<qt::IpAddressField>(m_handle).setField(field, value);
}

void IpAddressField::setAddress(const std::array<int, 4> &octets)
{
    as<qt::IpAddressField>(m_handle).setAddress(octets);
}

std::array<int, 4> IpAddressField::address() const
{
    return as<qt::IpAddressField>(m_handle).address();
}

int IpAddressField::filledFields() const
{
    return as<qt::IpAddressField>(m_handle).filledFields();
}

void ProgressBar::setRange(int low, int high)
{
    as<qt::ProgressBar>(m_handle).setRange(low, high);
}

void ProgressBar::setPos(int position)
{
    as<qt::ProgressBar>(m_handle).setPos(position);
}

int ProgressBar::position() const
{
    return as<qt::ProgressBar>(m_handle).position();
}

int ProgressBar::high() const
{
    return as<qt::ProgressBar>(m_handle).high();
}

int TabControl::insertItem(int index, const char *text)
{
    return as<qt::TabControl>(m_handle).insertItem(index, QString::fromUtf8(text));
}

int TabControl::curSel() const
{
    return as<qt::TabControl>(m_handle).curSel();
}

int ListBox::insertString(int index, const char *text)
{
    return as<qt::ListBox>(m_handle).insertString(index, QString::fromUtf8(text));
}

int ListBox::rowCount() const
{
    return as<qt::ListBox>(m_handle).rowCount();
}

int ListBox::curSel() const
{
    return as<qt::ListBox>(m_handle).curSel();
}

std::string ListBox::rowText(int row) const
{
    return as<qt::ListBox>(m_handle).rowText(row).toStdString();
}

void Trackbar::setRangeMin(int minimum)
{
    as<qt::Trackbar>(m_handle).setRangeMin(minimum);
}

void Trackbar::setRangeMax(int maximum)
{
    as<qt::Trackbar>(m_handle).setRangeMax(maximum);
}

void Trackbar::setPageSize(int size)
{
    as<qt::Trackbar>(m_handle).setPageSize(size);
}

void Trackbar::setLineSize(int size)
{
    as<qt::Trackbar>(m_handle).setLineSize(size);
}

void Trackbar::setPos(int position)
{
    as<qt::Trackbar>(m_handle).setPos(position);
}

int Trackbar::position() const
{
    return as<qt::Trackbar>(m_handle).position();
}

int Trackbar::rangeMin() const
{
    return as<qt::Trackbar>(m_handle).minimum();
}

int Trackbar::rangeMax() const
{
    return as<qt::Trackbar>(m_handle).maximum();
}

void Menu::appendSeparator()
{
    as<DialogWindow>(m_window).systemMenu()->appendSeparator();
}

void Menu::appendItem(UINT id, const char *text)
{
    as<DialogWindow>(m_window).systemMenu()->appendItem(id, QString::fromUtf8(text));
}

} // namespace tk
