// main.cpp -- the world, the window and its callbacks, round setup and the scene.
// Keys: arrows steer the character, Insert lays out a new round, Esc quits.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/glu.h>
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/keysym.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "hollowmint.h"

_object character;
_object* backdrop = nullptr;
_object* goal = nullptr;
int numbackdrops = 0;
int numgoals = 0;
double timer = 0.0;
double maxtime = 10.0;
_score score;
_texture texture;
int z = 0;

const char* const windowtitle = "Hollowmint";
const unsigned char escapekey = 27;

// Round setup: counts, sizes and the character's motion.
const int maxbackdrops = 5;
const int maxgoals = 10;
const int minsize = 12;   // half extent, units
const int sizerange = 24; // sizes run from minsize to minsize + sizerange - 1
const int headingrange = 360; // a whole number of radians, not degrees
const int usedtiles = 19;
const int movementmodes = 3;
const double characterspeedcap = 300.0;
const double charactergravity = 200.0;
const int characterjumpheight = 100;
const double characteraccel = 2.0;
const float scorex = 2.0f, scorey = 220.0f;
const int colourlevels = 100; // each background channel runs 0.00 to 0.99

// Scene: the view spans depth -viewdepth to viewdepth; the overlay lies just inside the near plane.
const double viewdepth = 1000.0;
const float overlaydepth = 999.0f;
const float barleft = 4.0f, barbottom = 8.0f, bartop = 16.0f;
const double barspan = 312.0;  // bar length at a full countdown
const double barzero = 2.0;    // right edge once the countdown has run out
const float digitsize = 16.0f;

void openwindow(int* argc, char** argv)
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(fieldwidth, fieldheight);
    glutInitWindowPosition(fieldwidth, fieldheight);
    glutCreateWindow(windowtitle);
}

static void registercallbacks()
{
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(skeydown);
    glutSpecialUpFunc(skeyup);
    glutDisplayFunc(display);
    glutIdleFunc(update);
}

void startup(int* argc, char** argv)
{
    openwindow(argc, argv);
    score.points = 0;
    init(); // after the window: it sets GL state and loads the strips
    registercallbacks();
}

// What the X server says while the window is closing changes nothing, as the program is ending.
static int ignorexerror(Display*, XErrorEvent*)
{
    return 0;
}

// First the driver ends its presenting: zink hands frames to Vulkan on threads of its own, and a
// frame shown after GLUT has destroyed the window is an X error, which Xlib would end the program
// on. glFinish and releasing the window's drawable let those threads finish; what still comes late
// is not fatal.
void closedisplay()
{
    glFinish();
    glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
    XSetErrorHandler(ignorexerror);
    glutExit();
}

// The display is closed now, while the GL driver is whole: left to exit's handlers, it would come
// after the driver's own teardown, which crashes Mesa's JIT on riscv64.
void keyboard(unsigned char key, int, int)
{
    if (key == escapekey) {
        closedisplay();
        std::exit(0);
    }
}

// The arrows that a key press in the window holds, one bit each, for the keyboard's poll below.
static unsigned pressedarrows = 0;

static unsigned arrowbit(int key)
{
    return key >= GLUT_KEY_LEFT && key <= GLUT_KEY_DOWN ? 1u << (key - GLUT_KEY_LEFT) : 0;
}

void skeydown(int key, int, int)
{
    _movement& m = character.movement;
    pressedarrows |= arrowbit(key);
    switch (key) {
    case GLUT_KEY_LEFT:   m.left = 1; break;
    case GLUT_KEY_UP:     m.up = 1; break;
    case GLUT_KEY_RIGHT:  m.right = 1; break;
    case GLUT_KEY_DOWN:   m.down = 1; break;
    case GLUT_KEY_INSERT: init(); break;
    }
}

// Releasing any arrow stops the character; keys still held accelerate it again from rest.
void skeyup(int key, int, int)
{
    _movement& m = character.movement;
    pressedarrows &= ~arrowbit(key);
    switch (key) {
    case GLUT_KEY_LEFT:  m.speed = 0.0; m.left = 0; break;
    case GLUT_KEY_UP:    m.speed = 0.0; m.up = 0; break;
    case GLUT_KEY_RIGHT: m.speed = 0.0; m.right = 0; break;
    case GLUT_KEY_DOWN:  m.speed = 0.0; m.down = 0; break;
    }
}

static bool keyisdown(Display* display, const char* keymap, KeySym symbol)
{
    const KeyCode code = XKeysymToKeycode(display, symbol);
    return code != 0 && (static_cast<unsigned char>(keymap[code / 8]) >> (code % 8) & 1);
}

// An arrow let go while another window has the keyboard sends the game no release: X's own record of
// the keys that are down ends it as skeyup would. Asked only while a pressed arrow is held, and not
// again within a few milliseconds, as each asking waits for the X server.
static void letgoreleasedarrows()
{
    const std::chrono::milliseconds pollevery(4);
    static std::chrono::steady_clock::time_point lastpoll;
    if (pressedarrows == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    Display* display = glXGetCurrentDisplay();
    if (now - lastpoll < pollevery || display == nullptr)
        return;
    lastpoll = now;
    char keymap[32];
    XQueryKeymap(display, keymap);
    const struct { int key; KeySym symbol, keypad; } arrows[] = {
        {GLUT_KEY_LEFT, XK_Left, XK_KP_Left}, {GLUT_KEY_UP, XK_Up, XK_KP_Up},
        {GLUT_KEY_RIGHT, XK_Right, XK_KP_Right}, {GLUT_KEY_DOWN, XK_Down, XK_KP_Down},
    };
    for (const auto& a : arrows) {
        if (pressedarrows & arrowbit(a.key) && !keyisdown(display, keymap, a.symbol) &&
            !keyisdown(display, keymap, a.keypad))
            skeyup(a.key, 0, 0);
    }
}

// An obstacle the character touches puts it back where it stood.
static void bumpobstacles()
{
    for (int i = 0; i < numbackdrops; i++)
        arecollidingbb(&character, &backdrop[i]);
}

// Touched goals are collected; returns the goals still waiting.
static int collectgoals()
{
    int waiting = 0;
    for (int j = 0; j < numgoals; j++) {
        arecollidingbb(&character, &goal[j]);
        if (goal[j].goalstate == 1)
            waiting += 1;
    }
    return waiting;
}

static void completeround()
{
    score.points += 1;
    std::cout << "completed" << std::endl;
    init();
}

void update()
{
    letgoreleasedarrows();
    const float dt = static_cast<float>(updatetime());
    character.movement.move(dt);
    bumpobstacles();
    if (collectgoals() == 0)
        completeround();
    timer = timer - dt;
    if (timer <= 0.0)
        init();
    glutPostRedisplay();
}

static int draw(int n)
{
    return std::rand() % n;
}

static int drawsize()
{
    return draw(sizerange) + minsize;
}

// The background is drawn before the reseed, from where the previous round left the sequence.
static void setupgl()
{
    const GLfloat lightposition[] = {0.0f, 5.0f, 20.0f, 0.0f};
    const GLfloat localviewer[] = {0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightposition);
    glLightModelfv(GL_LIGHT_MODEL_LOCAL_VIEWER, localviewer);
    const int blue = draw(colourlevels);
    const int green = draw(colourlevels);
    const int red = draw(colourlevels);
    const float level = colourlevels;
    glClearColor(red / level, green / level, blue / level, 1.0f);
    glFrontFace(GL_CW);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glutSetKeyRepeat(GLUT_KEY_REPEAT_OFF);
}

// Reseeding within the same second would lay out the same round again.
static void reseed()
{
    static bool seeded = false;
    static std::time_t lastseed = 0;
    const std::time_t now = std::time(nullptr);
    if (seeded && now == lastseed)
        return;
    std::srand(static_cast<unsigned>(now));
    seeded = true;
    lastseed = now;
}

static void placeatrandom(_movement& m)
{
    m.x = draw(fieldwidth);
    m.y = draw(fieldheight);
}

static void setupcharacter()
{
    _object& c = character;
    _movement& m = c.movement;
    c.width = c.height = drawsize();
    c.red = 0.0;
    c.green = 0.0;
    c.blue = 1.0;
    m.type = draw(movementmodes);
    m.maxspeed = characterspeedcap;
    m.speed = 0.0;
    m.gravity = charactergravity;
    m.jumpheight = characterjumpheight;
    m.xaccel = characteraccel;
    m.yaccel = characteraccel;
    m.jumpprogress = 0;
    m.jumpstate = 0;
    m.angle = draw(headingrange);
    placeatrandom(m);
    c.textureindex = draw(usedtiles);
}

static void setupobject(_object& o, double red, double green, int goalstate, int solid)
{
    placeatrandom(o.movement);
    o.width = o.height = drawsize();
    o.red = red;
    o.green = green;
    o.blue = 0.0;
    o.goalstate = goalstate;
    o.solid = solid;
    o.textureindex = draw(usedtiles);
}

static void setupobstacles()
{
    delete[] backdrop;
    backdrop = new _object[numbackdrops]();
    for (int i = 0; i < numbackdrops; i++)
        setupobject(backdrop[i], 1.0, 0.0, 0, 1);
}

// A goal laid over a waiting one collects it and moves on; records not yet laid are zero.
static void setupgoals()
{
    delete[] goal;
    goal = new _object[numgoals]();
    for (int i = 0; i < numgoals; i++) {
        setupobject(goal[i], 0.0, 1.0, 1, 0);
        for (int j = 0; j < numgoals; j++) {
            if (j != i && arecollidingbb(&goal[i], &goal[j]))
                placeatrandom(goal[i].movement);
        }
    }
}

static bool touchesobstacle()
{
    bool touched = false;
    for (int k = 0; k < numbackdrops; k++) {
        if (arecollidingbb(&character, &backdrop[k]))
            touched = true;
    }
    return touched;
}

static void keepcharacterclear()
{
    while (touchesobstacle())
        placeatrandom(character.movement);
}

void init()
{
    setupgl();
    reseed();
    score.x = scorex;
    score.y = scorey;
    score.text.initialise();
    if (z == 0) {
        texture.initialise();
        z = z + 1;
    }
    numbackdrops = draw(maxbackdrops) + 1;
    numgoals = draw(maxgoals) + 1;
    timer = maxtime;
    setupcharacter();
    setupobstacles();
    setupgoals();
    keepcharacterclear();
}

static void setview()
{
    const int w = glutGet(GLUT_WINDOW_WIDTH);
    const int h = glutGet(GLUT_WINDOW_HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -viewdepth, viewdepth);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, w, h);
    gluLookAt(0, 0, viewdepth, 0, 0, 0, 0, 1, 0);
}

static void setdiffuse(const _object& o)
{
    const GLfloat diffuse[] = {static_cast<float>(o.red), static_cast<float>(o.green),
                               static_cast<float>(o.blue), 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

static void drawobject(const _object& o, int depth)
{
    glPushMatrix();
        setdiffuse(o);
        glTranslatef(o.movement.x - o.width, o.movement.y - o.height, depth);
        glScalef(2 * o.width, 2 * o.height, 0);
        texture.print(o.textureindex);
    glPopMatrix();
}

// Turned about its centre; the divisor is the literal the headings are made of.
static void drawcharacter(int depth)
{
    const _object& c = character;
    glPushMatrix();
        setdiffuse(c);
        glTranslatef(c.movement.x, c.movement.y, depth);
        glRotatef(static_cast<float>(c.movement.angle * 180.0 / 3.14159265), 0, 0, 1);
        glTranslatef(-c.width, -c.height, 0);
        glScalef(2 * c.width, 2 * c.height, 0);
        texture.print(c.textureindex);
    glPopMatrix();
}

static void drawcountdown()
{
    const float right = static_cast<float>(timer / maxtime * barspan + barzero);
    glDisable(GL_LIGHTING);
    glBegin(GL_QUADS);
        glVertex3f(barleft, barbottom, overlaydepth);
        glVertex3f(barleft, bartop, overlaydepth);
        glVertex3f(right, bartop, overlaydepth);
        glVertex3f(right, barbottom, overlaydepth);
    glEnd();
}

static void drawscore()
{
    glPushMatrix();
        glTranslatef(score.x, score.y, overlaydepth);
        glScalef(digitsize, digitsize, digitsize);
        score.print();
    glPopMatrix();
}

// Each object lies one step nearer than the one before; depth 0 would sit on the far plane.
void display()
{
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 0.0f};
    const GLfloat specular[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setview();
    int depth = 1;
    // goals still waiting
    for (int i = 0; i < numgoals; i++) {
        if (goal[i].goalstate == 1)
            drawobject(goal[i], depth++);
    }
    // obstacles
    for (int i = 0; i < numbackdrops; i++)
        drawobject(backdrop[i], depth++);
    drawcharacter(depth++);
    drawcountdown();
    drawscore();
    glutSwapBuffers();
}
