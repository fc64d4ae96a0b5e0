// One small scene of the program's drawing, chosen by name, drawn once through the program's own
// objects (an Application on a 200 x 150 grid at scale 4, so an 800 x 600 window): a layer's
// sprite, the field arrows with their transform, the brush outline, or one overlay text alone at
// its anchor. The same source is built against Debian's SFML, where it writes what it drew to a
// PPM file, and against the web layer, where the page's canvas keeps it for the browser test to
// read; tests/scenes/compare.test.js compares the two pixel by pixel.
//
//   quelvane_scenes SCENE OUT.ppm    desktop (courier.ttf in the working directory)
//   index.html?SCENE                 web: the page around this program (tests/scenes/)
//
// Both print "scene drawn: SCENE" once the scene is on the window, or "unknown scene: SCENE"
// (exit status 2).

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Window/Event.hpp>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "app/Application.hpp"
#include "field/Grid2D.hpp"
#include "ui/BrushControl.hpp"
#include "ui/FrameTexts.hpp"

#ifndef __EMSCRIPTEN__
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#endif

namespace {

constexpr std::uint32_t gridWidth = 200;
constexpr std::uint32_t gridHeight = 150;
constexpr std::int32_t scale = 4;
// Where the cursor read-out takes the pointer to be.
const sf::Vector2i pointer{300, 200};

void press(Application& app, sf::Keyboard::Key key) {
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = key;
    app.handleEvent(event);
}

// A scenario's charge and the potential relaxed towards it, with the field's arrows.
void relaxScenario(Application& app, std::uint8_t scenario, std::uint32_t sweeps) {
    app.loadPreset(scenario);
    app.applyParameterChanges();
    app.model.relax(sweeps);
    app.model.potential.findRange(true);
    app.model.potential.repaint();
    app.model.field.refresh(app.model.potential, -1);
}

void drawArrows(Application& app) {
    const FieldArrows& arrows = app.model.field.arrows;
    app.window->draw(arrows.vertices, sf::RenderStates(arrows.drawingTransform()));
}

// Hides every text but one, lays them out for the fixed pointer as each frame does, and draws the
// one shown.
void drawAlone(Application& app, OverlayText& shown) {
    OverlayText* const texts[] = {
        &app.helpText,         &app.fpsText,          &app.cursorText,
        &app.loadedPresetText, &app.scenarioHelpText, &app.selectedPresetText,
        &app.layerText,        &app.brushText,        &app.parameterPanel.text};
    for (OverlayText* t : texts)
        t->visible = t == &shown;
    app.overlays.layout(app.window->getSize(), pointer);
    app.window->draw(shown.text);
}

// The brush outline as each frame places it around the pointer, at a few brush radii and
// pointers, one partly beyond the window's edge.
void drawBrushes(Application& app) {
    struct Placement {
        int radius;
        sf::Vector2i mouse;
    };
    const std::array<Placement, 5> placements{
        {{1, {60, 60}}, {3, {160, 80}}, {10, {400, 300}}, {25, {650, 420}}, {12, {790, 30}}}};
    for (const Placement& p : placements) {
        const float r = static_cast<float>(p.radius * scale);
        app.brushOutline.setRadius(r);
        app.brushOutline.setPosition(static_cast<float>(p.mouse.x) - r,
                                     static_cast<float>(p.mouse.y) - r);
        app.window->draw(app.brushOutline);
    }
}

struct Scene {
    const char* name;
    void (*draw)(Application&);
};

const std::array<Scene, 14> sceneTable{{
    {"charge",
     [](Application& a) {
         a.loadPreset(5);
         a.window->draw(a.model.charge.density.sprite);
     }},
    {"potential",
     [](Application& a) {
         relaxScenario(a, 3, 400);
         a.window->draw(a.model.potential.sprite);
     }},
    {"arrows",
     [](Application& a) {
         relaxScenario(a, 4, 400);
         a.model.field.arrows.equalLength = false;
         a.model.field.refresh(a.model.potential, -1);
         drawArrows(a);
     }},
    {"arrows-equal",
     [](Application& a) {
         relaxScenario(a, 2, 400);
         a.model.field.arrows.equalLength = true;
         a.model.field.refresh(a.model.potential, -1);
         drawArrows(a);
     }},
    {"brush", drawBrushes},
    {"help", [](Application& a) { drawAlone(a, a.helpText); }},
    {"scenario-help", [](Application& a) { drawAlone(a, a.scenarioHelpText); }},
    {"selected-preset",
     [](Application& a) {
         press(a, sf::Keyboard::K);
         press(a, sf::Keyboard::K);
         drawAlone(a, a.selectedPresetText);
     }},
    {"loaded-preset",
     [](Application& a) {
         a.loadPreset(5);
         drawAlone(a, a.loadedPresetText);
     }},
    {"fps",
     [](Application& a) {
         a.fpsText.setText("65 FPS");
         drawAlone(a, a.fpsText);
     }},
    {"cursor",
     [](Application& a) {
         a.cursorText.setText(cursorReadout(pointer, scale));
         drawAlone(a, a.cursorText);
     }},
    {"brush-line",
     [](Application& a) {
         press(a, sf::Keyboard::B);
         press(a, sf::Keyboard::E);
         a.brushText.setText(statusText(a.model.charge.brush));
         drawAlone(a, a.brushText);
     }},
    {"layer",
     [](Application& a) {
         a.layerText.setText(layerTitle(false, true, true));
         drawAlone(a, a.layerText);
     }},
    {"panel",
     [](Application& a) {
         press(a, sf::Keyboard::P);
         press(a, sf::Keyboard::Down);
         press(a, sf::Keyboard::Down);
         drawAlone(a, a.parameterPanel.text);
     }},
}};

const Scene* findScene(const std::string& name) {
    for (const Scene& s : sceneTable) {
        if (name == s.name) return &s;
    }
    return nullptr;
}

// What differs between the two builds, in one place: the desktop keeps what was drawn in a
// file named on the command line; the page's canvas keeps it by itself, and the program's
// objects must outlive main, which returns while the page lives on.
#ifdef __EMSCRIPTEN__
constexpr int argumentCount = 2;

bool keep(std::unique_ptr<Application> app, const char*) {
    app->window->display();
    (void)app.release();
    return true;
}
#else
constexpr int argumentCount = 3;

// A binary PPM: a header and the RGB bytes row by row, which the test reads without a library.
bool writePpm(const sf::Image& image, const char* file) {
    std::FILE* out = std::fopen(file, "wb");
    if (out == nullptr) return false;
    const sf::Vector2u size = image.getSize();
    std::fprintf(out, "P6\n%u %u\n255\n", size.x, size.y);
    const sf::Uint8* rgba = image.getPixelsPtr();
    for (std::size_t k = 0; k < std::size_t{size.x} * size.y; ++k)
        std::fwrite(rgba + 4 * k, 1, 3, out);
    return std::fclose(out) == 0;
}

// Read back before display, while the drawing is the window's back buffer.
bool keep(std::unique_ptr<Application> app, const char* file) {
    sf::RenderWindow& window = *app->window;
    sf::Texture texture;
    if (!texture.create(window.getSize().x, window.getSize().y)) return false;
    texture.update(window);
    window.display();
    return writePpm(texture.copyToImage(), file);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != argumentCount) {
        std::fprintf(stderr, "usage: quelvane_scenes SCENE%s\n",
                     argumentCount == 3 ? " OUT.ppm" : "");
        return 2;
    }
    const Scene* scene = findScene(argv[1]);
    if (scene == nullptr) {
        std::printf("unknown scene: %s\n", argv[1]);
        return 2;
    }
    auto app = std::make_unique<Application>(domainGrid(gridWidth, gridHeight), scale);
    app->window->clear(sf::Color::Black);
    scene->draw(*app);
    if (!keep(std::move(app), argv[argumentCount - 1])) return 1;
    std::printf("scene drawn: %s\n", scene->name);
    std::fflush(stdout);
    return 0;
}
