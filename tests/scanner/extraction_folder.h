#pragma once
// A temporary folder with an empty scanner folder "bases_x" in it, and the
// archive written beside it, for the extraction tests.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <string>

#include "scanner/test_archive.h"

namespace korvane::testing {

class ExtractionFolder : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return folder + "/" + name; }
    std::string WriteArchive(const QByteArray& bytes) {
        const std::string archive = temp.path().toStdString() + "/mwav.exe";
        WriteFileBytes(archive, bytes);
        return archive;
    }

    QTemporaryDir temp;
    std::string folder = [this] {
        QDir(temp.path()).mkdir(QStringLiteral("bases_x"));
        return temp.path().toStdString() + "/bases_x";
    }();
};

}  // namespace korvane::testing
