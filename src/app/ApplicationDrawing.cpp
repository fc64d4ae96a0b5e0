#include <SFML/Window/Mouse.hpp>

#include "app/Application.hpp"
#include "ui/FrameRate.hpp"
#include "ui/FrameTexts.hpp"

void Application::updateFrameRate() {
    ++frameCounter;
    // The frame that closes a window of just over one second is counted in it.
    if (fpsClock.getElapsedTime().asMilliseconds() > 1000) {
        fpsClock.restart();
        fps = frameCounter;
        fpsText.setText(std::to_string(fps) + " FPS");
        frameCounter = 0;
        sweepsAdjusted = false;
    }
    if (!sweepsAdjusted) {
        sweepsPerFrame = adaptSweeps(sweepsPerFrame, fps);
        sweepsAdjusted = true;
    }
}

void Application::drawLayer() {
    const ScalarField& layer = showCharges ? model.charge.density : model.potential;
    window->draw(layer.sprite);
    metalHatch.draw(*window, model.metal);
    if (equipotentials.shown) {
        window->draw(equipotentials.lines,
                     sf::RenderStates(sf::Transform().scale(model.field.arrows.scale,
                                                            model.field.arrows.scale)));
    }
    if (showField) {
        const FieldArrows& arrows = model.field.arrows;
        window->draw(arrows.vertices, sf::RenderStates(arrows.drawingTransform()));
    }
    probe.draw(*window);
    crossSection.draw(*window);
    layerText.setText(layerTitle(showCharges, showField, model.field.arrows.equalLength));
}

void Application::drawFrame() {
    window->clear(sf::Color(0, 0, 0, 255));
    drawLayer();
    overlays.layoutAndDraw();
    // The read-out set here is drawn by the next frame's overlay pass.
    const sf::Vector2i mouse = sf::Mouse::getPosition(*window);
    const sf::Vector2u size = window->getSize();
    if (mouse.x >= 0 && mouse.y >= 0 && static_cast<unsigned>(mouse.x) < size.x &&
        static_cast<unsigned>(mouse.y) < size.y) {
        cursorText.setText(cursorReadout(mouse, scale));
    }
    const float r = static_cast<float>(model.charge.brush.radius * scale);
    brushOutline.setRadius(r);
    brushOutline.setPosition(static_cast<float>(mouse.x) - r, static_cast<float>(mouse.y) - r);
    if (showBrushOutline) window->draw(brushOutline);
    window->display();
}
