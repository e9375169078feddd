// The record of one extraction run and the answers of the overwrite question.
#pragma once

// How much of the archive's folder structure is reproduced on disk.
enum TFolderNames {
    fnNone = 0,      // every file straight into the destination; folders still walked
    fnRelative = 1,  // extracted folders keep their own names, their ancestors are dropped
    fnFull = 2,      // the current folder's archive path, then as fnRelative
};

// What happens to a file that already exists. Changes during a run as the
// user answers; it never returns to opAsk within a run.
enum TOverwritePolicy {
    opNoToAll = 0,    // leave existing files alone, no question
    opAsk = 1,        // ask for each existing file
    opYesToAll = 2,   // replace existing files, no question
    opOnlyOlder = 3,  // replace only files strictly older than the entry
};

// Which entries a run extracts.
enum TExtractScope {
    esAll = 0,         // the whole archive from the root directory entry
    esCurrentDir = 1,  // the current folder with everything below it
    esSelected = 2,    // the selected rows of the file list
};

struct ExtractOptions {
    TFolderNames FolderNames = fnFull;
    TOverwritePolicy Overwrite = opAsk;
    TExtractScope Scope = esAll;
};

// Answers to the overwrite question; the values are the overwrite dialog's
// modal results.
enum TOverwriteAnswer {
    oaOnlyOlder = 5,  // policy becomes opOnlyOlder; the age test decides this file
    oaYes = 6,        // replace this file
    oaNo = 7,         // skip this file
    oaNoToAll = 9,    // policy becomes opNoToAll; skip this file
    oaYesToAll = 10,  // policy becomes opYesToAll; replace this file
};

// Any result other than the five answers (a dialog closed by its title bar)
// counts as oaNo.
TOverwriteAnswer ToOverwriteAnswer(int modalResult);
