// Page units of the print hooks and their mapping to device pixels.
#include "views/print/PrintUnits.h"

#include <QPaintDevice>
#include <cmath>

CPrintUnits::CPrintUnits(double dpiX, double dpiY, int originTop)
    : m_dpiX(dpiX > 0 ? dpiX : 96.0), m_dpiY(dpiY > 0 ? dpiY : 96.0), m_originTop(originTop)
{
}

CPrintUnits CPrintUnits::ForDevice(const QPaintDevice &device, int originTop)
{
    return CPrintUnits(device.logicalDpiX(), device.logicalDpiY(), originTop);
}

PrintRect CPrintUnits::PageRect(const QPaintDevice &device)
{
    PrintRect r;
    r.right = int(std::floor(device.width() * 254.0 / device.logicalDpiX()));
    r.top = int(std::floor(device.height() * 254.0 / device.logicalDpiY()));
    return r;
}

CPrintUnits CPrintUnits::ForPage(const QPaintDevice &device)
{
    return ForDevice(device, int(std::floor(device.height() * 254.0 / device.logicalDpiY())));
}

QPointF CPrintUnits::ToDevice(int x, int y) const
{
    return QPointF(DeviceX(x), DeviceY(y));
}

QRectF CPrintUnits::ToDevice(const PrintRect &rect) const
{
    return QRectF(ToDevice(rect.left, rect.top), ToDevice(rect.right, rect.bottom));
}

int CPrintUnits::WidthToUnits(double pixels) const
{
    return int(std::ceil(pixels * 254.0 / m_dpiX - 1e-9));
}

int CPrintUnits::HeightToUnits(double pixels) const
{
    return int(std::ceil(pixels * 254.0 / m_dpiY - 1e-9));
}

int CPrintUnits::DeviceToUnitsY(double deviceY) const
{
    return m_originTop - int(std::lround(deviceY * 254.0 / m_dpiY));
}
