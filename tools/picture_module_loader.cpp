#include "tools/picture_module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "params/message_text.h"
#include "tools/picture_module.h"

namespace {

// The module's file: beside this program as the build and the installation
// place it (ZOREKS_PICTURE_MODULE is relative to the program's folder).
std::string moduleFile()
{
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self);
    if (n <= 0 || n == ssize_t(sizeof self))
        return ZOREKS_PICTURE_MODULE;
    const std::string program(self, size_t(n));
    return program.substr(0, program.rfind('/') + 1) + ZOREKS_PICTURE_MODULE;
}

}  // namespace

PicturePainter ModulePicturePainter()
{
    return [](const RenderOptions& o, std::string& contents) -> std::optional<Message> {
        const std::string file = moduleFile();
        void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = module ? dlsym(module, kPictureModuleEntry) : nullptr;
        if (!entry) {
            // The system's own words, in English, with the file's name taken off the front.
            const char* error = dlerror();
            std::string why = error ? error : "";
            if (why.starts_with(file + ": "))
                why.erase(0, file.size() + 2);
            if (why.empty())
                return Message("Рисунок нарисовать нельзя: не загружается модуль рисунков %1.").arg(QuotedForMessage(file));
            return Message("Рисунок нарисовать нельзя: не загружается модуль рисунков %1 (%2).")
                .arg(QuotedForMessage(file))
                .arg(why);
        }
        // The module stays loaded until the tool ends.
        reinterpret_cast<PictureModuleEntry*>(entry)(o, contents);
        return std::nullopt;
    };
}
