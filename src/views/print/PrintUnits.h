// CPrintUnits: the print hooks' page units (0.1 mm, y growing upward) mapped to a device's
// pixels. The painter is never mirrored; only coordinates are turned, so text stays upright.
#pragma once

#include <QPointF>
#include <QRectF>

class QPaintDevice;

// A rectangle in page units: top is numerically larger than bottom; empty when bottom >= top.
struct PrintRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return bottom >= top || right <= left; }
    int Width() const { return right - left; }
    int Height() const { return top - bottom; }
};

class CPrintUnits
{
  public:
    // originTop is the page-unit y of the device's top edge (the page height for a page whose
    // bottom edge is y = 0).
    CPrintUnits(double dpiX, double dpiY, int originTop);
    static CPrintUnits ForDevice(const QPaintDevice &device, int originTop);
    // A whole page of the device: its top edge at the page's height in page units.
    static CPrintUnits ForPage(const QPaintDevice &device);
    // The device's page in page units, bottom at 0.
    static PrintRect PageRect(const QPaintDevice &device);

    QPointF ToDevice(int x, int y) const;
    QRectF ToDevice(const PrintRect &rect) const;
    double DeviceX(int x) const { return x * m_dpiX / 254.0; }
    double DeviceY(int y) const { return (m_originTop - y) * m_dpiY / 254.0; }
    // Device pixels to page units, rounded up so that what is measured always fits.
    int WidthToUnits(double pixels) const;
    int HeightToUnits(double pixels) const;
    int DeviceToUnitsY(double deviceY) const; // a device y back to a page-unit y

  private:
    double m_dpiX;
    double m_dpiY;
    int m_originTop;
};
