// How fast the page is: the time to the menu, the largest session of every
// application (the ones bench/sessoes.py writes) pasted at the menu in one go,
// with the panels beside the screen off and on, and the memory of the page's
// renderer, a line of 100 000 characters, 10 000 pasted lines with a key typed meanwhile, and "Recomeçar" during a
// paste. It prints the figures; it fails only when a screen differs from the
// native program's.
//
//   cd tests/web && npm ci && node banco.js
//
// Needs build-web/lousa.html (make web) and the native build/lousa (make test).
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { desktop, page, runNative, largestSessions, launchChromium, waitForMenu, waitForState, paste, programOutput } = require('./comum');

// The page's renderer: of the browser's renderers (the tab, a spare one, ...)
// the one with the most private memory. Its resident memory now and at its
// peak (kB).
function rendererMemory(browserPid) {
  let chosen = { private: -1, now: 0, peak: 0 };
  for (const pid of fs.readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    let command, status;
    try {
      command = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
    } catch (gone) { continue; }
    if (!command.includes('--type=renderer') || !descendsFrom(pid, browserPid)) continue;
    const field = (name) => Number(new RegExp(name + ':\\s+(\\d+)').exec(status)[1]);
    if (field('RssAnon') > chosen.private) chosen = { private: field('RssAnon'), now: field('VmRSS'), peak: field('VmHWM') };
  }
  return chosen;
}

function descendsFrom(pid, ancestor) {
  for (let p = Number(pid); p > 1;) {
    if (p === ancestor) return true;
    try {
      p = Number(/PPid:\s+(\d+)/.exec(fs.readFileSync(`/proc/${p}/status`, 'utf8'))[1]);
    } catch (gone) { return false; }
  }
  return false;
}

let differences = 0;
function same(tabText, nativeText, what) {
  if (tabText === nativeText) return true;
  console.log('DIFFERENT SCREEN: ' + what);
  ++differences;
  return false;
}

// From a paste to the end of its lines (the run waiting or ended): the time,
// the page's longest pause meanwhile, and how long a key typed during it
// waited for the page.
async function timedPaste(tab, lines) {
  await tab.evaluate(() => {
    window.longestPause = 0;
    let before = performance.now();
    window.clock = setInterval(() => { const now = performance.now(); window.longestPause = Math.max(window.longestPause, now - before); before = now; }, 20);
    document.addEventListener('keydown', (e) => { window.keyWait = performance.now() - e.timeStamp; }, { once: true, capture: true });
  });
  const start = await paste(tab, lines);
  await tab.keyboard.press('9');
  return tab.evaluate(async (t0) => {
    while (!['esperando', 'terminou'].includes(document.body.dataset.estado)) await new Promise((r) => setTimeout(r, 5));
    await new Promise((r) => requestAnimationFrame(r));
    clearInterval(window.clock);
    return { ms: performance.now() - t0, pause: window.longestPause, key: window.keyWait };
  }, start);
}

const restart = async (tab) => { await tab.click('[data-acao="recomecar"]'); await waitForMenu(tab); };

(async () => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-banco-'));
  const browser = await launchChromium(profile);
  try {
    const tab = await browser.newPage();
    await tab.setViewport(desktop);
    await tab.goto('file://' + page);
    await waitForMenu(tab);
    const first = await tab.evaluate(() => performance.now());
    const reloads = [];
    for (let k = 0; k < 3; ++k) {
      await tab.reload();
      await waitForMenu(tab);
      reloads.push(await tab.evaluate(() => performance.now()));
    }
    console.log(`page ${fs.statSync(page).size} bytes; menu after ${Math.round(first)} ms (first load), ` +
      `${Math.round(reloads.sort((a, b) => a - b)[1])} ms (median of 3 reloads)\n`);

    // Each session five times with the panels off and five with both on,
    // in turns; the median of each. The first run of a session also compiles
    // what the page had not run yet.
    const browserPid = browser.process().pid;
    const sessions = largestSessions();
    console.log('code  answers  screen KB  native ms  page ms  with panels ms  renderer MiB (now/peak)  same screen');
    for (const [code, lines] of Object.entries(sessions)) {
      const times = { '': [], 'tabela grafico': [] };
      let equal = true;
      for (let round = 0; round < 5; ++round) {
        for (const panels of Object.keys(times)) {
          await tab.evaluate((on) => { document.body.dataset.paineis = on; }, panels);
          await restart(tab);
          times[panels].push(await tab.evaluate(async (t0) => {
            while (document.body.dataset.estado !== 'terminou') await new Promise((r) => setTimeout(r, 5));
            await new Promise((r) => requestAnimationFrame(r));
            return performance.now() - t0;
          }, await paste(tab, lines)));
          // a report differs too
          if (round === 0) equal = same(await programOutput(tab, '.digitado, .painel'), runNative(lines).screen, `code ${code} [${panels}]`) && equal;
        }
      }
      const native = runNative(lines);
      const memory = rendererMemory(browserPid);
      const median = (list) => list.sort((a, b) => a - b)[2].toFixed(0);
      console.log([code.padStart(4), String(lines.length).padStart(8), (Buffer.byteLength(native.screen) / 1024).toFixed(0).padStart(10),
        native.ms.toFixed(1).padStart(10), median(times['']).padStart(8), median(times['tabela grafico']).padStart(15),
        `${(memory.now / 1024).toFixed(0)}/${(memory.peak / 1024).toFixed(0)}`.padStart(24), equal ? '         yes' : '          NO'].join(' '));
    }
    await tab.evaluate(() => { document.body.dataset.paineis = ''; });

    await restart(tab);
    const long = '3' + ' '.repeat(99998) + '7';
    const one = await timedPaste(tab, [long]);
    same(await programOutput(tab), runNative([long]).screen, 'a 100 000-character line');
    console.log(`\npaste of one 100 000-character line: ${Math.round(one.ms)} ms, longest pause of the page ${Math.round(one.pause)} ms`);

    await restart(tab);
    const many = [...sessions['6'], ...Array.from({ length: 10000 - sessions['6'].length }, (_, j) => String(j))];
    const ten = await timedPaste(tab, many);
    same(await programOutput(tab), runNative(sessions['6']).screen, '10 000 pasted lines');
    console.log(`paste of 10 000 lines (code 6, ${sessions['6'].length} read): ${Math.round(ten.ms)} ms, longest pause ` +
      `${Math.round(ten.pause)} ms; a key typed meanwhile waited ${Math.round(ten.key)} ms`);

    await paste(tab, sessions['9']);
    await new Promise((r) => setTimeout(r, 200));
    const t0 = Date.now();
    await restart(tab);
    console.log(`"Recomeçar" during a paste: the menu again after ${Date.now() - t0} ms`);
    same(await tab.$eval('#tela', (t) => t.textContent), runNative([]).screen, 'the menu after Recomeçar');
    await waitForState(tab, 'esperando');
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  if (differences > 0) process.exitCode = 1;
})();
