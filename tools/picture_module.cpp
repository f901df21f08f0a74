// The export tool's picture module: the pictures' Qt side (PNG encoding, the PDF painter) behind one C entry.
#include "render/picture_contents.h"
#include "tools/picture_module.h"
#include "tools/render_arguments.h"

extern "C" __attribute__((visibility("default"))) void zoreks_picture_contents(const RenderOptions& o,
                                                                               std::string& contents)
{
    const QByteArray picture = PictureContents(o);
    contents.assign(picture.constData(), size_t(picture.size()));
}
