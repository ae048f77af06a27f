#include "DemoApplication.h"

#include "DemoFrameListener.h"
#include "DemoView.h"
#include "core/ConfigFile.h"        // Required for: Velk::ConfigFile
#include "core/ResourceManager.h"   // Required for: Velk::ResourceManager
#include "material/TextureManager.h" // Required for: Velk::TextureManager
#include "overlay/OverlayManager.h" // Required for: Velk::OverlayManager
#include "render/Root.h"            // Required for: Velk::Root
#include "scene/SceneManager.h"     // Required for: Velk::SceneManager

DemoApplication::~DemoApplication() {
    delete frameListener;
    frameListener = nullptr;
    delete root;
    root = nullptr;
}

void DemoApplication::run() {
    if (!setup()) return;
    root->startRendering();
}

bool DemoApplication::setup() {
    root = new Velk::Root("plugins.cfg", "velk.cfg", "Velk.log");
    registerResourceLocations();
    if (!configure()) return false;
    selectSceneManager();
    createCamera();
    createViewport();
    Velk::TextureManager::getSingleton().setDefaultNumMipmaps(5);
    createScene();
    createFrameListener();
    return true;
}

bool DemoApplication::configure() {
    if (!root->showConfigDialog()) return false;
    window = root->initialise(true, "VELK Render Window");
    return true;
}

void DemoApplication::selectSceneManager() {
    sceneManager = root->getSceneManager(Velk::ST_GENERIC);
}

void DemoApplication::createCamera() {
    camera = createPlayerCamera(*sceneManager);
}

void DemoApplication::createFrameListener() {
    auto* listener = new DemoFrameListener(window, camera);
    listener->showDebugOverlay(true);
    frameListener = listener;
    root->addFrameListener(frameListener);
}

void DemoApplication::createViewport() {
    createWindowViewport(*window, *camera);
}

void DemoApplication::registerResourceLocations() {
    Velk::ConfigFile config;
    config.load("resources.cfg", "\t:=", true);
    // One flat list: the key is the archive type, the value its location;
    // the settings come sorted by type, equal types in file order.
    Velk::ConfigFile::SettingsIterator it = config.getSettingsIterator();
    while (it.hasMoreElements()) {
        const std::string type = it.peekNextKey();
        const Velk::ConfigFile::Origin origin = it.peekNextOrigin();
        const std::string location = it.getNext();
        Velk::ResourceManager::addCommonArchiveEx(location, type, origin);
    }
}
