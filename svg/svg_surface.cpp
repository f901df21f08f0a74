#include "svg/svg_surface.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "svg/png_encoding.h"

namespace {

// A coordinate to a thousandth of a pixel, without trailing zeros.
void AppendNumber(std::string& out, double v)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 3).ptr;
    std::string_view written(text, static_cast<size_t>(end - text));
    while (written.back() == '0')
        written.remove_suffix(1);
    if (written.back() == '.')
        written.remove_suffix(1);
    if (written == "-0")
        written = "0";
    out += written;
}

std::string Hex(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

// Text for an element's content, with the characters XML reserves escaped.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Base64(const std::string& bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

}  // namespace

void SvgSurface::writePolyline(const std::vector<PlanePoint>& points, Rgb colour)
{
    body_ += "<polyline stroke=\"" + Hex(colour) + "\" points=\"";
    for (size_t k = 0; k < points.size(); ++k) {
        if (k > 0)
            body_ += ' ';
        AppendNumber(body_, points[k].x + lineWidth() / 2.0);  // through the middle of the pen's pixels
        body_ += ',';
        AppendNumber(body_, points[k].y + lineWidth() / 2.0);
    }
    body_ += "\"/>\n";
}

void SvgSurface::writeDot(int column, int row, Rgb colour)
{
    body_ += "<rect x=\"" + std::to_string(column) + "\" y=\"" + std::to_string(row) +
             "\" width=\"" + std::to_string(lineWidth()) + "\" height=\"" + std::to_string(lineWidth()) + "\" stroke=\"none\" fill=\"" + Hex(colour) + "\"/>\n";
}

void SvgSurface::writePolygon(const std::vector<SurfacePoint>& corners, Rgb colour)
{
    body_ += "<polygon points=\"";
    for (size_t k = 0; k < corners.size(); ++k) {
        if (k > 0)
            body_ += ' ';
        AppendNumber(body_, corners[k].x);
        body_ += ',';
        AppendNumber(body_, corners[k].y);
    }
    body_ += "\" stroke=\"none\" fill=\"" + Hex(colour) + "\"/>\n";
}

void SvgSurface::writeCircle(double cx, double cy, double radius, Rgb colour)
{
    body_ += "<circle cx=\"";
    AppendNumber(body_, cx + lineWidth() / 2.0);
    body_ += "\" cy=\"";
    AppendNumber(body_, cy + lineWidth() / 2.0);
    body_ += "\" r=\"";
    AppendNumber(body_, radius);
    body_ += "\" stroke=\"" + Hex(colour) + "\"/>\n";
}

void SvgSurface::writeImage(const std::vector<uint32_t>& pixels)
{
    const std::string png = PngFile(pixels, width(), height());
    if (png.empty())
        return;
    body_ += "<image x=\"0\" y=\"0\" width=\"" + std::to_string(width()) + "\" height=\"" + std::to_string(height()) +
             "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" xlink:href=\"data:image/png;base64," +
             Base64(png) + "\"/>\n";
}

std::string SvgSurface::document(const std::string& title)
{
    finish();
    const std::string w = std::to_string(width()), h = std::to_string(height());
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                      "version=\"1.1\" width=\"" + w + "px\" height=\"" + h + "px\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    out += "<title>" + Escaped(title) + "</title>\n<desc>" + Escaped(title) + "</desc>\n";
    out += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    out += "<g fill=\"none\" stroke-width=\"" + std::to_string(lineWidth()) + "\" stroke-linecap=\"butt\" stroke-linejoin=\"bevel\">\n";
    out += body_;
    out += "</g>\n</svg>\n";
    return out;
}
