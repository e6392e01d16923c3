// A dialog tag file as JSON, both ways, for the command-line tool and its tests.
//
// {"header_version": 1, "header": "<128 hex digits: the 64 header bytes as held>",
//  "tag_name": "...", "subgroup": "abcd",
//  "dialog": {"version": 0, "control_count": 1,
//             "bounds": {"top": 0, "left": 0, "bottom": 480, "right": 640}},
//  "controls": [{"tag": "butt", "padding": 0, "item_id": 1, "bitmap_ids": [-1, 5],
//                "flags": 0, "state": 0,
//                "bounds": {"top": 10, "left": 20, "bottom": 30, "right": 80}, "text": "OK"}]}
//
// Four-character codes (`tag`, `subgroup`) are their four characters when all four bytes
// are printable ASCII, otherwise their unsigned value; an importer accepts either form.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class ZPZervDialogDocument;

// The JSON text of a loaded document, keys in the order above, one control per line.
QByteArray ZPTagJsonFromDocument(const ZPZervDialogDocument& document);

// The bytes of the dialog tag file that `json` describes. The file starts from `header`;
// `tag_name` and `subgroup` are then applied as the document's setTagName and setSubgroup
// do (a name equal to the one the header already holds leaves the header untouched).
// `dialog.control_count` may be left out. Answers false, with `error` naming the place
// ("controls[3].item_id: 70000 is out of range -32768..32767"), for anything that does
// not describe a file exactly.
bool ZPTagJsonToFile(const QByteArray& json, std::vector<uint8_t>& file, QString& error);
