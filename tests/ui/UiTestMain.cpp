// Runs the window tests on the application object the program uses, so
// that its error handling is part of what they exercise.
#include "ui/PelloryApplication.h"
#include "viewers/FormatRegistry.h"

#include <QTest>

#include <memory>

QObject* NewOpenCloseTest();
QObject* NewFileListTest();
QObject* NewLifecycleTest();
QObject* NewExtractTest();
QObject* NewDragOutTest();

int main(int argc, char** argv) {
    RegisterBuiltinFormats();
    TPelloryApplication app(argc, argv);
    int failures = 0;
    for (auto make : {NewOpenCloseTest, NewFileListTest, NewLifecycleTest, NewExtractTest, NewDragOutTest}) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
