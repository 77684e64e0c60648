#pragma once

#include <QObject>

class TestMyLabel3d : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void passes_data();
    void passes();
    void wrapsFromTheTopWithAlignment_data();
    void wrapsFromTheTopWithAlignment();
    void accelerator();
    void autoSizeFollowsCaption();
    void settersRepaintOnlyOnChange_data();
    void settersRepaintOnlyOnChange();
    void whiteLockHoldsAndRestores();
    void mouseOutOnceAndClick();
    void accessibleRoleAndName_data();
    void accessibleRoleAndName();
    void pressActionClicks();
    void nameFollowsTheCaption();
    void decorativePictureIsSkipped();
    void faceStaysReadable_data();
    void faceStaysReadable();
};

class TestImageShape : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void opaqueRegion_data();
    void opaqueRegion();
    void pictureRect_data();
    void pictureRect();
    void frameOffsets_data();
    void frameOffsets();
    void firstShapingSetsTheProcessFlag();
    void laterShapingKeepsForeignParts();
    void transparentBitmap();
    void centredPictureAndAutoSize();
    void unchangedPropertyDoesNothing();
    void emptyPictureKeepsTheShape();
    void dragging_data();
    void dragging();
    void busyPictureIsFast();
};
