#pragma once
// The whole plug-in interface: every record, interface, function type and export
// that the program and the plug-in share. Both compile against these headers.

#include "engine/api/types.h"
#include "engine/api/misuse.h"
#include "engine/api/mystr.h"
#include "engine/api/pointer_array.h"
#include "engine/api/token_containers.h"
#include "engine/api/draw_records.h"
#include "engine/api/backlog_record.h"
#include "engine/api/command_param.h"
#include "engine/api/text_stream.h"
#include "engine/api/io_stream.h"
#include "engine/api/heaps.h"
#include "engine/api/command.h"
#include "engine/api/task_manager.h"
#include "engine/api/draw_manager.h"
#include "engine/api/sound_manager.h"
#include "engine/api/input_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
