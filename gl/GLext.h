// Extension entry points and the loaders that resolve them by extension name.
// An extension counts as supported exactly when its loader returns true.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gl/gl_types.h"

namespace gl {

#define KVX_GL_FUNCTION(ret, name, params)        \
    using PFN_##name = ret(KVX_APIENTRY*) params; \
    extern PFN_##name name;
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION

// True when `name` is a whole word of `extensions`; an empty list means the
// GL_EXTENSIONS string of the current context. A name that is empty or holds
// a blank is never supported.
bool extensionSupported(const std::string& name, const std::string& extensions);

// Runs the loader of the recognised name `name` and returns its result; an
// unrecognised name returns false and resolves nothing.
bool loadExtension(const std::string& name);

// Every recognised name, in the order in which they are compared.
const std::vector<std::string>& recognisedExtensionNames();

// How loaders look things up: the installed platform's lookups.
struct ExtensionLookups {
    GLProc (*procAddress)(const char* name);
    std::optional<std::string> (*platformList)();
};
extern ExtensionLookups extensionLookups;

}  // namespace gl
