/* The call interface of the zip engines "ZipDll.dll" (adding) and "UnzDll.dll"
 * (extracting), shared by the engines and the wrapper that drives them.
 *
 * One parameter record per call, one callback record per report. The records keep the
 * field order of the original 32-bit interface; pointers are native pointers, so on a
 * 64-bit build the fields sit at their natural (larger) offsets. Booleans are 32-bit:
 * -1 for true, 0 for false. Every field not set by the caller is 0. Texts are UTF-8.
 *
 * Entry points, looked up by name:
 *   ZipDll.dll:  int32_t ZipDllExec(ZipParams*);   int32_t GetZipDllVersion(void);
 *   UnzDll.dll:  int32_t UnzDllExec(UnzipParams*); int32_t GetUnzDllVersion(void);
 * The exec functions return the number of files processed.
 */
#ifndef PARVO_ZIP_ENGINE_RECORDS_H
#define PARVO_ZIP_ENGINE_RECORDS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ZipBool;
#define ZIP_TRUE ((ZipBool)-1)
#define ZIP_FALSE ((ZipBool)0)

/* The interface version both sides speak; an engine older than this is refused. */
#define ZIP_ENGINE_VERSION 160

/* Marker values the caller puts in the last fields, so that an engine can tell a record
 * of this layout from anything else it might be handed. */
#define UNZIP_PARAMS_TAG_A 3
#define UNZIP_PARAMS_TAG_B 7
#define ZIP_PARAMS_TAG 7

/* Action codes of the callback record. */
enum ZipAction {
    ZIP_ACTION_NONE = 0,
    ZIP_ACTION_BEGIN_FILE = 1,  /* Text: name, Size: its size in bytes */
    ZIP_ACTION_PROGRESS = 2,    /* Size: bytes done since the last report */
    ZIP_ACTION_END_BATCH = 3,
    ZIP_ACTION_MESSAGE = 4,     /* Text: a message, ErrorCode: its error number (0: none) */
    ZIP_ACTION_FILE_COUNT = 5,  /* Size: number of files in the batch */
    ZIP_ACTION_TOTAL_BYTES = 6, /* Size: bytes in the batch */
    ZIP_ACTION_UNUSED = 7,
    ZIP_ACTION_PASSWORD = 8,    /* in: Text the entry, Size tries left (3 the first time);
                                   out: ErrorCode 1 and Text the password, Size tries left */
    ZIP_ACTION_CRC_ERROR = 9,   /* in: Text the entry; out: ErrorCode 1 keeps the file */
    ZIP_ACTION_OVERWRITE = 10,  /* in: Text the file, ErrorCode bit 0 set when the file on
                                   disk is older than the entry; out: Size 1 overwrites */
    ZIP_ACTION_SKIPPED = 11     /* Text: the entry, ErrorCode: why (ZipSkipReason) */
};

/* Why an entry or file was skipped (ErrorCode of ZIP_ACTION_SKIPPED). */
enum ZipSkipReason {
    ZIP_SKIP_BY_CHOICE = 0,     /* not overwritten, no password given */
    ZIP_SKIP_UNSAFE_NAME = 1,   /* absolute, "..", through a link, or unusable characters */
    ZIP_SKIP_TOO_LARGE = 2,     /* a size that cannot be true, or no room for it */
    ZIP_SKIP_DAMAGED = 3,       /* unreadable, bad CRC, wrong password */
    ZIP_SKIP_WRITE_FAILED = 4,  /* the file could not be written */
    ZIP_SKIP_UNREADABLE = 5     /* a file to add could not be read */
};

typedef struct CallbackRecord {
    void* Handle;           /* unused */
    void* Caller;           /* the Caller of the parameter record */
    int32_t Reserved8;
    int32_t Reserved12;
    int32_t ActionCode;
    int32_t ErrorCode;      /* extra information in, answer out */
    int64_t Size;           /* a size or count in, answer out */
    char Text[512];         /* NUL-terminated: a name or message in, a password out */
} CallbackRecord;

/* Called by the engine for every report; a true result asks the engine to stop. */
typedef ZipBool (*ZipEngineCallback)(CallbackRecord*);

typedef struct UnzipFileSpec {
    const char* FileSpec;   /* an entry name or a pattern with * and ? */
    char Reserved[64];
} UnzipFileSpec;

typedef struct ZipFileSpec {
    const char* FileSpec;   /* a file or folder to add */
    char Reserved[96];
} ZipFileSpec;

typedef struct UnzipParams {
    void* Handle;           /* unused */
    void* Caller;           /* handed back in every callback record */
    int32_t Version;        /* ZIP_ENGINE_VERSION */
    ZipEngineCallback Callback;
    int32_t Reserved16;
    int32_t Reserved20;
    const char* Password;   /* tried first on encrypted entries; may be null */
    ZipBool TestOnly;       /* check every entry, write nothing */
    int32_t Reserved32;
    int32_t Reserved36;
    ZipBool KeepTimes;      /* give extracted files the entries' times */
    int32_t Reserved44;
    ZipBool ReplaceOlder;   /* an existing file is replaced when it is older ... */
    ZipBool Update;         /* ... (the same, as the update option sets it) */
    ZipBool WithFolders;    /* recreate the entries' folders; else extract flat */
    ZipBool ReplaceAll;     /* existing files are replaced */
    int32_t FileCount;      /* entries of Files; 0: the whole archive */
    const char* ArchivePath;
    UnzipFileSpec* Files;
    int32_t Reserved76[7];
    int32_t TagA;           /* UNZIP_PARAMS_TAG_A */
    int32_t Reserved108[9];
    int32_t TagB;           /* UNZIP_PARAMS_TAG_B */
} UnzipParams;

typedef struct ZipParams {
    void* Handle;           /* unused */
    void* Caller;
    int32_t Version;
    ZipEngineCallback Callback;
    int32_t Reserved16;
    const char* Password;   /* encrypts the added files when Encrypt is set */
    int32_t Reserved24;
    ZipBool Encrypt;
    ZipBool MoveFiles;      /* delete each added file once the archive holds it safely */
    int32_t Reserved36;
    int32_t Reserved40;
    ZipBool JunkPaths;      /* store the bare file names */
    int32_t Reserved48;
    int32_t Reserved52;
    ZipBool KeepAttributes; /* store Unix permissions, owner and exact times */
    int32_t Level;          /* deflate level, 0 stores */
    int32_t Reserved64;
    int32_t Reserved68;
    ZipBool NoFolderEntries; /* store no entries for the folders themselves */
    uint16_t Recurse;       /* 0xFFFF: folders given are added with all they hold */
    uint16_t Reserved78;
    ZipBool AddMode;        /* add (as opposed to delete) */
    ZipBool HiddenFiles;    /* names beginning with "." are taken when folders are walked */
    int32_t Reserved88;
    int32_t Reserved92;
    ZipBool Update;         /* add new files, replace entries older than their file */
    ZipBool Freshen;        /* only replace entries older than their file */
    int32_t Reserved104[4];
    int32_t FileCount;
    const char* ArchivePath;
    const char* TempPath;   /* folder for scratch files; may be null */
    const char* Comment;    /* archive comment; may be null */
    int32_t Reserved136;
    ZipFileSpec* Files;
    int32_t Reserved144[17];
    int32_t Tag;            /* ZIP_PARAMS_TAG */
} ZipParams;

typedef int32_t (*ZipDllExecFn)(ZipParams*);
typedef int32_t (*UnzDllExecFn)(UnzipParams*);
typedef int32_t (*EngineVersionFn)(void);

#ifdef __cplusplus
}
#endif

#endif
