// hollowmint.h -- the game's records, its world and the constants that modules share.
// Every module reads and writes the world below directly, by name.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#pragma once

#include <GL/gl.h>

// The field is fieldwidth x fieldheight units, origin at the bottom-left, y up;
// one unit is one window pixel, and the window opens at the field's size.
const int fieldwidth = 320;
const int fieldheight = 240;

const int striptiles = 100; // tiles in "textures.gif"
const int digittiles = 10;  // tiles in "text.png", tile d showing digit d

// Position and motion state of a game object; only the character's is used in full.
class _movement {
public:
    float x, y;       // centre, field units
    float oldx, oldy; // centre when the latest move began, so a blocked mover can be put back
    int type;         // movement mode: 0 four-way, 1 turn and drive, 2 platform
    double speed;     // units per second, shared by all four keys
    double maxspeed;  // units per second
    double xaccel;    // acceleration factor of horizontal moves
    double yaccel;    // acceleration factor of vertical moves and of driving
    double angle;     // heading, radians counter-clockwise from +x
    int up, right, down, left; // 1 while that arrow is held
    int jumpheight;   // jump counter value at which a rise ends, units
    int jumpprogress; // height gained in the current jump, whole units
    int jumpstate;    // 0 on the ground and ready, 1 rising, 2 falling
    double gravity;   // fall speed and jump rate, units per second

    void move(float dt); // one frame of dt seconds, then keep the centre on the field
};

// Character, obstacle and goal alike.
struct _object {
    int goalstate; // 0 not a goal, 1 waiting, 2 collected
    int solid;     // > 0: blocks a mover that touches it
    int width;     // half extent along x, and the radius of its contact circle
    int height;    // half extent along y
    _movement movement;
    double red, green, blue; // colour of the light it is drawn under, 0.0 to 1.0
    int textureindex;        // its tile of the strip
};

// An image strip turned into one texture and one display list per tile.
class _text {
public:
    GLuint textures[digittiles];
    GLuint lists[digittiles];

    void initialise();  // loads "text.png" from the working directory
    void print(int i);  // the unit tile of digit i, unlit
};

class _texture {
public:
    GLuint textures[striptiles];
    GLuint lists[striptiles];

    void initialise();  // loads "textures.gif", one progress line per tile
    void print(int i);  // the unit tile i, unlit
};

// The bound DevIL image as a new GL texture, made as ILUT makes it, where DevIL's ILUT has no OpenGL.
GLuint bindteximage();
// The bound DevIL image as a new GL texture: ILUT's upload where it has OpenGL, bindteximage where not.
GLuint uploadimage();

// The picture guard reads a strip file once, before DevIL does, and tells whether DevIL's decoder for
// its name's ending takes it safely. DevIL trusts what a picture's file says: past these it crashes,
// writes outside its buffers or spends seconds a load. Such a file is refused, and its tiles are blank.
const unsigned maxpictureside = 16384;           // a PNG of 200,000 pixels a side crashes it
const unsigned long maxpicturepixels = 1ul << 24; // a picture, or a GIF's frames, each a whole screen
const int maxgifframes = 1024;                    // it walks its list of frames for every new one
const int minlzwcodesize = 2, maxlzwcodesize = 8; // as GIF allows
const unsigned long maxpicturebytes = 64ul << 20; // the guard holds the whole file
bool picturesafe(const char* file);

// What one strip may cost, as every tile decodes the whole picture again and holds it all in its
// texture: the pixels a decode makes, or the texels a texture holds, times the tiles. Past it, the
// tiles are blank, after one decode.
const unsigned long maxstrippixels = 7ul << 25; // 896 MiB of textures at four bytes a texel

// The strip loader's steps: loadpicture fills the bound DevIL image from a file, decoded where the
// guard passed it, or blanks it.
void loadpicture(const char* file, bool safe);
void loadstrip(const char* file, int count, GLuint* textures, GLuint* lists, bool progress);

// Rounds completed, drawn as nine digits.
class _score {
public:
    int points; // rounds completed, never negative
    _text text;
    float x, y; // bottom-left corner of the counter, field units

    void print(); // nine unit cells from x = 0 to 9, units digit rightmost
};

extern _object character;
extern _object* backdrop; // numbackdrops obstacles, remade every round
extern _object* goal;     // numgoals goals, remade every round
extern int numbackdrops;  // 1 to 5
extern int numgoals;      // 1 to 10
extern double timer;      // seconds left in the round
extern double maxtime;    // seconds in a round
extern _score score;
extern _texture texture;
extern int z;             // 1 once the tile strip is loaded

extern double lasttime; // clock reading of the previous frame, seconds

double updatetime(); // seconds since the previous call
int arecollidingbb(_object* mover, _object* other); // 0 apart, 1 touching, 2 touching and collected

void init(); // lays out a new round
void keyboard(unsigned char key, int x, int y);
void skeydown(int key, int x, int y);
void skeyup(int key, int x, int y);
void update();
void display();

void openwindow(int* argc, char** argv); // the game's window, current for GL
void closedisplay();                     // the window and the display, once every frame is shown
void startup(int* argc, char** argv);    // the window, the first round and the callbacks: all before the loop
