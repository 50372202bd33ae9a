// Identifiers of the pictures compiled into Velkaro.scr.
//
// Plain macros rather than constexpr values: the generated resource script
// includes this header too, and the resource compiler only understands the
// preprocessor.
#ifndef VELKARO_COMMON_RESOURCE_IDS_H
#define VELKARO_COMMON_RESOURCE_IDS_H

#define VELKARO_RES_ICON 1              /* window and program icon */
#define VELKARO_RES_HAND_CURSOR 101     /* 32 x 32 pointer, hot spot (12, 10) */
#define VELKARO_RES_PREVIEW_STILL 201   /* 152 x 112 fire still for the preview pane */
#define VELKARO_RES_PANEL_TILE 202      /* 579 x 21 tile of the dialog's panels */
#define VELKARO_RES_CHECK_OFF 203       /* 12 x 12 check box, unticked */
#define VELKARO_RES_CHECK_ON 204        /* 12 x 12 check box, ticked */
#define VELKARO_RES_OPTION_OFF 205      /* 13 x 13 option mark, not chosen */
#define VELKARO_RES_OPTION_ON 206       /* 13 x 13 option mark, chosen */
#define VELKARO_RES_FIRST_THUMBNAIL 300 /* 60 x 45 still of pattern i is 300 + i, i = 0..27 */
#define VELKARO_THUMBNAIL_COUNT 28

#endif
