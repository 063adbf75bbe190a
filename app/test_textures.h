// The textures the programs under test sample: three images from TGA files
// and one blank texture of the frame's size.
#pragma once

#include <string>
#include <vector>

#include "gl/gl_types.h"

struct TestTextures {
    GLenum target = glenum::TEXTURE_RECTANGLE_NV;
    GLuint imageTextures[3] = {0, 0, 0};
    GLuint blankTexture = 0;
};
extern TestTextures testTextures;

// Creates the four textures with the current context. The images are
// "Images\memorial_orig_tm.tga", "Images\3dsmax5beta_image1.tga" and
// "Images\spectrum.tga"; an image that is not 24-bit true colour is refused
// with an error that names the file.
void loadTestTextures();

// The files of the three images, as loadTestTextures reads them.
std::vector<std::string> testImageFiles();
