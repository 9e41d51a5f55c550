// Draws every picture the program shows into the folder named on the command line.
#include <exception>
#include <iostream>

#include "resources/draw/pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: draw_pictures <output-folder>\n";
        return 2;
    }
    try {
        draw::Font serif(LUR_SERIF_BOLD_FONT);
        draw::Font sans(LUR_SANS_BOLD_FONT);
        std::filesystem::create_directories(argv[1]);
        draw::drawAllPictures(argv[1], {serif, sans});
    } catch (const std::exception& e) {
        std::cerr << "draw_pictures: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
