#pragma once

#include "Main.h"
#include "frmSplash.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace velmora {

/// The program's start: shows the splash and, when the splash unloads,
/// creates and shows the main window, which lives until the program ends.
class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(MainServices services = {}, QObject* parent = nullptr);
    ~Program() override;

    /// Creates and shows the splash window.
    void start();

    /// The splash while it is up; null once it has gone.
    frmSplash* splash() const { return m_splash; }
    /// The main window once the splash has unloaded; null before.
    Main* mainWindow() const { return m_main.get(); }

private:
    void showMain();

    MainServices m_services;
    QPointer<frmSplash> m_splash;
    std::unique_ptr<Main> m_main;
};

} // namespace velmora
