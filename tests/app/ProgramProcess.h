#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>
#include <gtest/gtest.h>

// A copy of the program running as a process of its own: the real program,
// or the scripted one (ScriptedProgram.cpp) with a scenario and a database
// file. The ports folder is passed on in DORVEL_PORTS.
class ProgramProcess {
  public:
    ProgramProcess(const QString& program, const QStringList& arguments, const QString& ports) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DORVEL_PORTS", ports);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
    }

    ~ProgramProcess() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Waits for the scripted program's "ready".
    bool WaitReady(int timeoutMs = 20000) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (process.canReadLine() && process.readLine().trimmed() == "ready")
                return true;
            if (!process.canReadLine() &&
                !process.waitForReadyRead(int(timeoutMs - clock.elapsed())) &&
                process.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }

    void Send(int signal) { ::kill(pid_t(process.processId()), signal); }

    // Whether the process ended by itself with exit code 0; `ms` tells how
    // long it took.
    bool EndsCleanly(int timeoutMs, qint64& ms) {
        QElapsedTimer clock;
        clock.start();
        const bool finished = process.waitForFinished(timeoutMs);
        ms = clock.elapsed();
        return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QProcess process;
};
