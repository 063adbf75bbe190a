#include "gl/GLext.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "gl/GL.h"

namespace gl {

#define KVX_GL_FUNCTION(ret, name, params) PFN_##name name = nullptr;
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION

ExtensionLookups extensionLookups = {};

namespace {

struct EntrySlot {
    const char* name;
    void (*assign)(GLProc);
};

#define KVX_SLOT(name)                                                  \
    EntrySlot {                                                         \
#name, [](GLProc p) { name = reinterpret_cast<PFN_##name>(p); } \
    }

const EntrySlot ARB_multitexture[] = {
    KVX_SLOT(glActiveTextureARB),    KVX_SLOT(glClientActiveTextureARB), KVX_SLOT(glMultiTexCoord1dARB),
    KVX_SLOT(glMultiTexCoord1dvARB), KVX_SLOT(glMultiTexCoord1fARB),     KVX_SLOT(glMultiTexCoord1fvARB),
    KVX_SLOT(glMultiTexCoord1iARB),  KVX_SLOT(glMultiTexCoord1ivARB),    KVX_SLOT(glMultiTexCoord1sARB),
    KVX_SLOT(glMultiTexCoord1svARB), KVX_SLOT(glMultiTexCoord2dARB),     KVX_SLOT(glMultiTexCoord2dvARB),
    KVX_SLOT(glMultiTexCoord2fARB),  KVX_SLOT(glMultiTexCoord2fvARB),    KVX_SLOT(glMultiTexCoord2iARB),
    KVX_SLOT(glMultiTexCoord2ivARB), KVX_SLOT(glMultiTexCoord2sARB),     KVX_SLOT(glMultiTexCoord2svARB),
    KVX_SLOT(glMultiTexCoord3dARB),  KVX_SLOT(glMultiTexCoord3dvARB),    KVX_SLOT(glMultiTexCoord3fARB),
    KVX_SLOT(glMultiTexCoord3fvARB), KVX_SLOT(glMultiTexCoord3iARB),     KVX_SLOT(glMultiTexCoord3ivARB),
    KVX_SLOT(glMultiTexCoord3sARB),  KVX_SLOT(glMultiTexCoord3svARB),    KVX_SLOT(glMultiTexCoord4dARB),
    KVX_SLOT(glMultiTexCoord4dvARB), KVX_SLOT(glMultiTexCoord4fARB),     KVX_SLOT(glMultiTexCoord4fvARB),
    KVX_SLOT(glMultiTexCoord4iARB),  KVX_SLOT(glMultiTexCoord4ivARB),    KVX_SLOT(glMultiTexCoord4sARB),
    KVX_SLOT(glMultiTexCoord4svARB),
};
const EntrySlot wgl_ARB_pbuffer[] = {
    KVX_SLOT(wglCreatePbufferARB),  KVX_SLOT(wglGetPbufferDCARB), KVX_SLOT(wglReleasePbufferDCARB),
    KVX_SLOT(wglDestroyPbufferARB), KVX_SLOT(wglQueryPbufferARB),
};
const EntrySlot wgl_ARB_pixel_format[] = {
    KVX_SLOT(wglGetPixelFormatAttribivARB),
    KVX_SLOT(wglGetPixelFormatAttribfvARB),
    KVX_SLOT(wglChoosePixelFormatARB),
};
const EntrySlot wgl_ARB_render_texture[] = {
    KVX_SLOT(wglBindTexImageARB),
    KVX_SLOT(wglReleaseTexImageARB),
    KVX_SLOT(wglSetPbufferAttribARB),
};
const EntrySlot ARB_vertex_program[] = {
    KVX_SLOT(glVertexAttrib1sARB),
    KVX_SLOT(glVertexAttrib1fARB),
    KVX_SLOT(glVertexAttrib1dARB),
    KVX_SLOT(glVertexAttrib2sARB),
    KVX_SLOT(glVertexAttrib2fARB),
    KVX_SLOT(glVertexAttrib2dARB),
    KVX_SLOT(glVertexAttrib3sARB),
    KVX_SLOT(glVertexAttrib3fARB),
    KVX_SLOT(glVertexAttrib3dARB),
    KVX_SLOT(glVertexAttrib4sARB),
    KVX_SLOT(glVertexAttrib4fARB),
    KVX_SLOT(glVertexAttrib4dARB),
    KVX_SLOT(glVertexAttrib4NubARB),
    KVX_SLOT(glVertexAttrib1svARB),
    KVX_SLOT(glVertexAttrib1fvARB),
    KVX_SLOT(glVertexAttrib1dvARB),
    KVX_SLOT(glVertexAttrib2svARB),
    KVX_SLOT(glVertexAttrib2fvARB),
    KVX_SLOT(glVertexAttrib2dvARB),
    KVX_SLOT(glVertexAttrib3svARB),
    KVX_SLOT(glVertexAttrib3fvARB),
    KVX_SLOT(glVertexAttrib3dvARB),
    KVX_SLOT(glVertexAttrib4bvARB),
    KVX_SLOT(glVertexAttrib4svARB),
    KVX_SLOT(glVertexAttrib4ivARB),
    KVX_SLOT(glVertexAttrib4ubvARB),
    KVX_SLOT(glVertexAttrib4usvARB),
    KVX_SLOT(glVertexAttrib4uivARB),
    KVX_SLOT(glVertexAttrib4fvARB),
    KVX_SLOT(glVertexAttrib4dvARB),
    KVX_SLOT(glVertexAttrib4NbvARB),
    KVX_SLOT(glVertexAttrib4NsvARB),
    KVX_SLOT(glVertexAttrib4NivARB),
    KVX_SLOT(glVertexAttrib4NubvARB),
    KVX_SLOT(glVertexAttrib4NusvARB),
    KVX_SLOT(glVertexAttrib4NuivARB),
    KVX_SLOT(glVertexAttribPointerARB),
    KVX_SLOT(glEnableVertexAttribArrayARB),
    KVX_SLOT(glDisableVertexAttribArrayARB),
    KVX_SLOT(glProgramStringARB),
    KVX_SLOT(glBindProgramARB),
    KVX_SLOT(glDeleteProgramsARB),
    KVX_SLOT(glGenProgramsARB),
    KVX_SLOT(glProgramEnvParameter4dARB),
    KVX_SLOT(glProgramEnvParameter4dvARB),
    KVX_SLOT(glProgramEnvParameter4fARB),
    KVX_SLOT(glProgramEnvParameter4fvARB),
    KVX_SLOT(glProgramLocalParameter4dARB),
    KVX_SLOT(glProgramLocalParameter4dvARB),
    KVX_SLOT(glProgramLocalParameter4fARB),
    KVX_SLOT(glProgramLocalParameter4fvARB),
    KVX_SLOT(glGetProgramEnvParameterdvARB),
    KVX_SLOT(glGetProgramEnvParameterfvARB),
    KVX_SLOT(glGetProgramLocalParameterdvARB),
    KVX_SLOT(glGetProgramLocalParameterfvARB),
    KVX_SLOT(glGetProgramivARB),
    KVX_SLOT(glGetProgramStringARB),
    KVX_SLOT(glGetVertexAttribdvARB),
    KVX_SLOT(glGetVertexAttribfvARB),
    KVX_SLOT(glGetVertexAttribivARB),
    KVX_SLOT(glGetVertexAttribPointervARB),
    KVX_SLOT(glIsProgramARB),
};
const EntrySlot ARB_fragment_program[] = {
    KVX_SLOT(glProgramStringARB),
    KVX_SLOT(glBindProgramARB),
    KVX_SLOT(glDeleteProgramsARB),
    KVX_SLOT(glGenProgramsARB),
    KVX_SLOT(glProgramEnvParameter4dARB),
    KVX_SLOT(glProgramEnvParameter4dvARB),
    KVX_SLOT(glProgramEnvParameter4fARB),
    KVX_SLOT(glProgramEnvParameter4fvARB),
    KVX_SLOT(glProgramLocalParameter4dARB),
    KVX_SLOT(glProgramLocalParameter4dvARB),
    KVX_SLOT(glProgramLocalParameter4fARB),
    KVX_SLOT(glProgramLocalParameter4fvARB),
    KVX_SLOT(glGetProgramEnvParameterdvARB),
    KVX_SLOT(glGetProgramEnvParameterfvARB),
    KVX_SLOT(glGetProgramLocalParameterdvARB),
    KVX_SLOT(glGetProgramLocalParameterfvARB),
    KVX_SLOT(glGetProgramivARB),
    KVX_SLOT(glGetProgramStringARB),
    KVX_SLOT(glIsProgramARB),
};
const EntrySlot NV_fragment_program[] = {
    KVX_SLOT(glBindProgramNV),
    KVX_SLOT(glDeleteProgramsNV),
    KVX_SLOT(glExecuteProgramNV),
    KVX_SLOT(glGenProgramsNV),
    KVX_SLOT(glIsProgramNV),
    KVX_SLOT(glLoadProgramNV),
    KVX_SLOT(glProgramNamedParameter4fNV),
    KVX_SLOT(glProgramNamedParameter4dNV),
    KVX_SLOT(glGetProgramNamedParameterfvNV),
    KVX_SLOT(glGetProgramNamedParameterdvNV),
    KVX_SLOT(glProgramLocalParameter4dARB),
    KVX_SLOT(glProgramLocalParameter4dvARB),
    KVX_SLOT(glProgramLocalParameter4fARB),
    KVX_SLOT(glProgramLocalParameter4fvARB),
    KVX_SLOT(glGetProgramLocalParameterdvARB),
    KVX_SLOT(glGetProgramLocalParameterfvARB),
};
const EntrySlot ARB_draw_buffers[] = {
    KVX_SLOT(glDrawBuffersARB),
};
const EntrySlot ATI_draw_buffers[] = {
    KVX_SLOT(glDrawBuffersATI),
};
const EntrySlot EXT_framebuffer_object[] = {
    KVX_SLOT(glIsRenderbufferEXT),          KVX_SLOT(glBindRenderbufferEXT),
    KVX_SLOT(glDeleteRenderbuffersEXT),     KVX_SLOT(glGenRenderbuffersEXT),
    KVX_SLOT(glRenderbufferStorageEXT),     KVX_SLOT(glGetRenderbufferParameterivEXT),
    KVX_SLOT(glIsFramebufferEXT),           KVX_SLOT(glBindFramebufferEXT),
    KVX_SLOT(glDeleteFramebuffersEXT),      KVX_SLOT(glGenFramebuffersEXT),
    KVX_SLOT(glCheckFramebufferStatusEXT),  KVX_SLOT(glFramebufferTexture1DEXT),
    KVX_SLOT(glFramebufferTexture2DEXT),    KVX_SLOT(glFramebufferTexture3DEXT),
    KVX_SLOT(glFramebufferRenderbufferEXT), KVX_SLOT(glGetFramebufferAttachmentParameterivEXT),
    KVX_SLOT(glGenerateMipmapEXT),
};
const EntrySlot ARB_occlusion_query[] = {
    KVX_SLOT(glGenQueriesARB),       KVX_SLOT(glDeleteQueriesARB),     KVX_SLOT(glIsQueryARB),
    KVX_SLOT(glBeginQueryARB),       KVX_SLOT(glEndQueryARB),          KVX_SLOT(glGetQueryivARB),
    KVX_SLOT(glGetQueryObjectivARB), KVX_SLOT(glGetQueryObjectuivARB),
};
// OpenGL 1.5 took the occlusion query into the core, without the suffix and
// with the same signatures; a driver may offer it there alone.
#define KVX_CORE_SLOT(core, arb)                                      \
    EntrySlot {                                                       \
#core, [](GLProc p) { arb = reinterpret_cast<PFN_##arb>(p); } \
    }
const EntrySlot core_occlusion_query[] = {
    KVX_CORE_SLOT(glGenQueries, glGenQueriesARB),
    KVX_CORE_SLOT(glDeleteQueries, glDeleteQueriesARB),
    KVX_CORE_SLOT(glIsQuery, glIsQueryARB),
    KVX_CORE_SLOT(glBeginQuery, glBeginQueryARB),
    KVX_CORE_SLOT(glEndQuery, glEndQueryARB),
    KVX_CORE_SLOT(glGetQueryiv, glGetQueryivARB),
    KVX_CORE_SLOT(glGetQueryObjectiv, glGetQueryObjectivARB),
    KVX_CORE_SLOT(glGetQueryObjectuiv, glGetQueryObjectuivARB),
};
#undef KVX_CORE_SLOT
const EntrySlot ARB_timer_query[] = {
    KVX_SLOT(glQueryCounter),
    KVX_SLOT(glGetQueryObjecti64v),
    KVX_SLOT(glGetQueryObjectui64v),
};

#undef KVX_SLOT

struct EntryList {
    const EntrySlot* begin = nullptr;
    const EntrySlot* end = nullptr;
    EntryList() = default;
    template <std::size_t N>
    EntryList(const EntrySlot (&slots)[N]) : begin(slots), end(slots + N) {}
};

// The loaders korvex carries. Every other recognised name has no loader and
// reports false, so the run never relies on an extension it does not load.
const std::map<std::string, EntryList>& loaders() {
    static const std::map<std::string, EntryList> table = {
        {"GL_ARB_multitexture", ARB_multitexture},
        {"WGL_ARB_pbuffer", wgl_ARB_pbuffer},
        {"WGL_ARB_pixel_format", wgl_ARB_pixel_format},
        {"WGL_ARB_render_texture", wgl_ARB_render_texture},
        {"GL_ARB_vertex_program", ARB_vertex_program},
        {"GL_ARB_fragment_program", ARB_fragment_program},
        {"GL_NV_fragment_program", NV_fragment_program},
        {"GL_ARB_draw_buffers", ARB_draw_buffers},
        {"GL_ATI_draw_buffers", ATI_draw_buffers},
        {"GL_EXT_framebuffer_object", EXT_framebuffer_object},
        {"GL_ARB_occlusion_query", ARB_occlusion_query},
        {"GL_ARB_timer_query", ARB_timer_query},
        {"GL_NV_fragment_program_option", {}},
        {"GL_NV_fragment_program2", {}},
        {"GL_ARB_texture_float", {}},
        {"GL_NV_fragment_program4", {}},
        {"EGL_KHR_surfaceless_context", {}},
        {"GLX_SGIX_pbuffer", {}},
    };
    return table;
}

std::string currentGLExtensions() {
    const GLubyte* text = glGetString ? glGetString(glenum::EXTENSIONS) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool isPlatformName(const std::string& name) {
    return name.rfind("WGL_", 0) == 0 || name.rfind("EGL_", 0) == 0 || name.rfind("GLX_", 0) == 0;
}

// Resolves each entry point in order, storing every result at once; the first
// that does not resolve ends the loader with false.
bool resolveEntryPoints(const EntryList& entries) {
    for (const EntrySlot* slot = entries.begin; slot != entries.end; ++slot) {
        GLProc address = extensionLookups.procAddress(slot->name);
        slot->assign(address);
        if (address == nullptr) return false;
    }
    return true;
}

bool runLoader(const std::string& name, const EntryList& entries) {
    std::string list;
    if (isPlatformName(name)) {
        std::optional<std::string> platformList = extensionLookups.platformList();
        if (!platformList) return false;
        list = *platformList;
    } else {
        list = currentGLExtensions();
    }
    // Drivers hand out addresses even for functions they lack, so the list
    // alone decides support.
    if (!extensionSupported(name, list)) return false;
    return resolveEntryPoints(entries);
}

// Whether GL_VERSION, "major.minor" followed by anything, names at least
// the given version.
bool versionAtLeast(int major, int minor) {
    const GLubyte* text = glGetString ? glGetString(glenum::VERSION) : nullptr;
    int hasMajor = 0, hasMinor = 0;
    if (text == nullptr ||
        std::sscanf(reinterpret_cast<const char*>(text), "%d.%d", &hasMajor, &hasMinor) != 2)
        return false;
    return hasMajor > major || (hasMajor == major && hasMinor >= minor);
}

}  // namespace

bool loadCoreOcclusionQuery() { return versionAtLeast(1, 5) && resolveEntryPoints(core_occlusion_query); }

const std::vector<std::string>& recognisedExtensionNames() {
    static const std::vector<std::string> names = {
        "GL_version_1_2",
        "GL_ARB_imaging",
        "GL_version_1_3",
        "GL_ARB_multitexture",
        "GL_ARB_transpose_matrix",
        "GL_ARB_multisample",
        "GL_ARB_texture_env_add",
        "WGL_ARB_extensions_string",
        "WGL_ARB_buffer_region",
        "GL_ARB_texture_cube_map",
        "GL_ARB_depth_texture",
        "GL_ARB_point_parameters",
        "GL_ARB_shadow",
        "GL_ARB_shadow_ambient",
        "GL_ARB_texture_border_clamp",
        "GL_ARB_texture_compression",
        "GL_ARB_texture_env_combine",
        "GL_ARB_texture_env_crossbar",
        "GL_ARB_texture_env_dot3",
        "GL_ARB_texture_mirrored_repeat",
        "GL_ARB_vertex_blend",
        "GL_ARB_vertex_program",
        "GL_ARB_window_pos",
        "GL_EXT_422_pixels",
        "GL_EXT_abgr",
        "GL_EXT_bgra",
        "GL_EXT_blend_color",
        "GL_EXT_blend_func_separate",
        "GL_EXT_blend_logic_op",
        "GL_EXT_blend_minmax",
        "GL_EXT_blend_subtract",
        "GL_EXT_clip_volume_hint",
        "GL_EXT_color_subtable",
        "GL_EXT_compiled_vertex_array",
        "GL_EXT_convolution",
        "GL_EXT_histogram",
        "GL_EXT_multi_draw_arrays",
        "GL_EXT_packed_pixels",
        "GL_EXT_paletted_texture",
        "GL_EXT_point_parameters",
        "GL_EXT_polygon_offset",
        "GL_EXT_separate_specular_color",
        "GL_EXT_shadow_funcs",
        "GL_EXT_shared_texture_palette",
        "GL_EXT_stencil_two_side",
        "GL_EXT_stencil_wrap",
        "GL_EXT_subtexture",
        "GL_EXT_texture3D",
        "GL_EXT_texture_compression_s3tc",
        "GL_EXT_texture_env_add",
        "GL_EXT_texture_env_combine",
        "GL_EXT_texture_env_dot3",
        "GL_EXT_texture_filter_anisotropic",
        "GL_EXT_texture_lod_bias",
        "GL_EXT_texture_object",
        "GL_EXT_vertex_array",
        "GL_EXT_vertex_shader",
        "GL_EXT_vertex_weighting",
        "GL_HP_occlusion_test",
        "GL_NV_blend_square",
        "GL_NV_copy_depth_to_color",
        "GL_NV_depth_clamp",
        "GL_NV_evaluators",
        "GL_NV_fence",
        "GL_NV_fog_distance",
        "GL_NV_light_max_exponent",
        "GL_NV_multisample_filter_hint",
        "GL_NV_occlusion_query",
        "GL_NV_packed_depth_stencil",
        "GL_NV_point_sprite",
        "GL_NV_register_combiners",
        "GL_NV_register_combiners2",
        "GL_NV_texgen_emboss",
        "GL_NV_texgen_reflection",
        "GL_NV_texture_compression_vtc",
        "GL_NV_texture_env_combine4",
        "GL_NV_texture_rectangle",
        "GL_NV_texture_shader",
        "GL_NV_texture_shader2",
        "GL_NV_texture_shader3",
        "GL_NV_vertex_array_range",
        "GL_NV_vertex_array_range2",
        "GL_NV_vertex_program",
        "GL_NV_vertex_program1_1",
        "GL_ATI_element_array",
        "GL_ATI_envmap_bumpmap",
        "GL_ATI_fragment_shader",
        "GL_ATI_pn_triangles",
        "GL_ATI_texture_mirror_once",
        "GL_ATI_vertex_array_object",
        "GL_ATI_vertex_streams",
        "WGL_I3D_image_buffer",
        "WGL_I3D_swap_frame_lock",
        "WGL_I3D_swap_frame_usage",
        "GL_3DFX_texture_compression_FXT1",
        "GL_IBM_cull_vertex",
        "GL_IBM_multimode_draw_arrays",
        "GL_IBM_raster_pos_clip",
        "GL_IBM_texture_mirrored_repeat",
        "GL_IBM_vertex_array_lists",
        "GL_MESA_resize_buffers",
        "GL_MESA_window_pos",
        "GL_OML_interlace",
        "GL_OML_resample",
        "GL_OML_subsample",
        "GL_SGIS_generate_mipmap",
        "GL_SGIS_multisample",
        "GL_SGIS_pixel_texture",
        "GL_SGIS_texture_border_clamp",
        "GL_SGIS_texture_color_mask",
        "GL_SGIS_texture_edge_clamp",
        "GL_SGIS_texture_lod",
        "GL_SGIS_depth_texture",
        "GL_SGIX_fog_offset",
        "GL_SGIX_interlace",
        "GL_SGIX_shadow_ambient",
        "GL_SGI_color_matrix",
        "GL_SGI_color_table",
        "GL_SGI_texture_color_table",
        "GL_SUN_vertex",
        "GL_ARB_fragment_program",
        "GL_ATI_text_fragment_shader",
        "GL_APPLE_client_storage",
        "GL_APPLE_element_array",
        "GL_APPLE_fence",
        "GL_APPLE_vertex_array_object",
        "GL_APPLE_vertex_array_range",
        "WGL_ARB_pixel_format",
        "WGL_ARB_make_current_read",
        "WGL_ARB_pbuffer",
        "WGL_EXT_swap_control",
        "WGL_ARB_render_texture",
        "WGL_EXT_extensions_string",
        "WGL_EXT_make_current_read",
        "WGL_EXT_pbuffer",
        "WGL_EXT_pixel_format",
        "WGL_I3D_digital_video_control",
        "WGL_I3D_gamma",
        "WGL_I3D_genlock",
        "GL_ARB_matrix_palette",
        "GL_NV_element_array",
        "GL_NV_float_buffer",
        "GL_NV_fragment_program",
        "GL_NV_primitive_restart",
        "GL_NV_vertex_program2",
        "WGL_NV_render_texture_rectangle",
        "GL_NV_pixel_data_range",
        "GL_EXT_texture_rectangle",
        "GL_S3_s3tc",
        "GL_ATI_draw_buffers",
        "WGL_ATI_pixel_format_float",
        "GL_ATI_texture_env_combine3",
        "GL_ATI_texture_float",
        "GL_NV_texture_expand_normal",
        "GL_NV_half_float",
        "GL_ATI_map_object_buffer",
        "GL_ATI_separate_stencil",
        "GL_ATI_vertex_attrib_array_object",
        "GL_ARB_vertex_buffer_object",
        "GL_ARB_occlusion_query",
        "GL_ARB_shader_objects",
        "GL_ARB_vertex_shader",
        "GL_ARB_fragment_shader",
        "GL_ARB_shading_language_100",
        "GL_ARB_texture_non_power_of_two",
        "GL_ARB_point_sprite",
        "GL_EXT_depth_bounds_test",
        "GL_EXT_secondary_color",
        "GL_EXT_texture_mirror_clamp",
        "GL_EXT_blend_equation_separate",
        "GL_MESA_pack_invert",
        "GL_MESA_ycbcr_texture",
        "GL_ARB_fragment_program_shadow",
        "GL_EXT_fog_coord",
        "GL_NV_fragment_program_option",
        "GL_EXT_pixel_buffer_object",
        "GL_NV_fragment_program2",
        "GL_NV_vertex_program2_option",
        "GL_NV_vertex_program3",
        "GL_ARB_draw_buffers",
        "GL_ARB_texture_rectangle",
        "GL_ARB_color_buffer_float",
        "GL_ARB_half_float_pixel",
        "GL_ARB_texture_float",
        "GL_EXT_texture_compression_dxt1",
        "GL_ARB_pixel_buffer_object",
        "GL_EXT_framebuffer_object",
        "GL_version_1_4",
        "GL_version_1_5",
        "GL_version_2_0",
        // Beyond the classic list: the 64-bit query counter, the FP4 profile's
        // language, and the window-system extensions of the EGL and GLX
        // backends.
        "GL_ARB_timer_query",
        "GL_NV_fragment_program4",
        "EGL_KHR_surfaceless_context",
        "GLX_SGIX_pbuffer",
    };
    return names;
}

bool extensionSupported(const std::string& name, const std::string& extensions) {
    if (name.empty() || name.find(' ') != std::string::npos) return false;
    const std::string list = extensions.empty() ? currentGLExtensions() : extensions;
    for (std::size_t hit = list.find(name); hit != std::string::npos; hit = list.find(name, hit + 1)) {
        const std::size_t after = hit + name.size();
        const bool startsWord = hit == 0 || list[hit - 1] == ' ';
        const bool endsWord = after == list.size() || list[after] == ' ';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool loadExtension(const std::string& name) {
    for (const std::string& recognised : recognisedExtensionNames()) {
        if (recognised != name) continue;
        const auto loader = loaders().find(name);
        return loader != loaders().end() && runLoader(name, loader->second);
    }
    return false;
}

}  // namespace gl
