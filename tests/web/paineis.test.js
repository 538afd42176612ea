// The panels beside the page's screen, "Consulta à tabela" and "Gráfico", in
// headless Chromium: off, the program is asked for nothing; on, each panel
// shows what the native program's --tabela and --graficos write, beside a
// screen that stays the native one. Screenshots and a printed page go to
// build-web/ to be looked at.
//   cd tests/web && npm ci && node --test paineis.test.js
'use strict';

const { describe, it, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const axe = require('axe-core');
const common = require('./comum');
const { root, page, desktop, withEnds, runNative } = common;

const native = process.env.LOUSA_NATIVE || path.join(root, 'build', 'lousa');
const pictures = path.join(root, 'build-web');
const phone = { width: 390, height: 700, isMobile: true, hasTouch: true };
const answers = (code) => {
  const file = fs.readdirSync(path.join(root, 'examples')).find((f) => f.startsWith(code.padStart(2, '0') + '-') && f.endsWith('.txt'));
  return fs.readFileSync(path.join(root, 'examples', file), 'utf8').split('\n').slice(0, -1).map((l) => l.split(/\s{2,}/)[0]);
};

// The native program with --tabela (its screen in UTF-8) and --graficos (the files it wrote).
function nativeWith(lines, folder) {
  const r = spawnSync(native, ['--tabela', '--graficos', folder], { input: withEnds(lines) });
  return { screen: common.fromCP850(r.stdout), files: fs.readdirSync(folder) };
}

describe('the panels of lousa.html', () => {
  let browser, tab, folder;

  before(async () => {
    folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-paineis-'));
    browser = await common.launchChromium(path.join(folder, 'perfil'));
    tab = await browser.newPage();
    await (await browser.target().createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await tab.evaluateOnNewDocument(() => document.addEventListener('lousa-saida', () => ++window.pieces, true, window.pieces = 0));
    await tab.setViewport(desktop);
    await tab.goto('file://' + page);
    await common.waitForMenu(tab);
  });

  after(async () => { await browser?.close(); fs.rmSync(folder, { recursive: true, force: true }); });

  // The run's end, and the page's next idle moment, when its pictures are drawn.
  const ended = async () => {
    await tab.waitForFunction(() => document.body.dataset.estado === 'terminou' && document.querySelector('.digitado'));
    await tab.evaluate(() => new Promise((drawn) => requestIdleCallback(drawn)));
  };
  const session = async (code) => {
    await tab.click('[popovertarget="exemplos"]');
    await tab.click(`#exemplos li:nth-child(${code}) button`);
    await ended();
  };
  const toggle = async (name) => {
    await tab.click(`.topo > [data-painel="${name}"]`);
    await ended();
  };
  const reload = async (view) => { await tab.setViewport(view); await tab.reload(); await common.waitForMenu(tab); };
  const panels = () => tab.$$eval('#tela .painel', (all) => all.map((p) => ({
    blocks: [...p.querySelectorAll('.bloco-tabela')].map((b) => b.textContent),
    distributions: [...p.querySelectorAll('.distribuicao svg title')].map((t) => t.textContent),
    pictures: [...p.querySelectorAll('.grafico img')].map((i) => i.alt),
    captions: [...p.querySelectorAll('.grafico figcaption')].map((c) => c.textContent),
  })));
  const audit = async () => {
    await tab.evaluate(axe.source);
    return tab.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] })).violations
      .filter((v) => v.impact !== 'minor').map((v) => v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', ')));
  };

  it('asks the program for nothing while both switches are off, as they start', async () => {
    assert.deepEqual(await tab.$$eval('.topo > [role="switch"]', (s) => s.map((b) => [b.textContent, b.getAttribute('aria-checked')])),
      [['Consulta à tabela', 'false'], ['Gráfico', 'false']]);
    await session(9);
    assert.deepEqual([await tab.evaluate(() => window.pieces), await panels()], [0, []]);
    assert.equal(await common.programOutput(tab), runNative(answers('9')).screen);
  });

  it('shows each statistic\'s block as --tabela writes it, with its distribution, beside the native screen', async () => {
    for (const code of ['4', '5']) {
      await session(Number(code));
      await toggle('tabela');  // the same session again, now with the panel
      const expected = nativeWith(answers(code), fs.mkdtempSync(path.join(folder, 'svg-')));
      const shown = await panels();
      const blocks = shown.flatMap((p) => p.blocks);
      assert.equal(blocks.length, code === '4' ? 1 : 2, 'code ' + code + ': one block per F');
      for (const block of blocks) assert.ok(expected.screen.includes(block), block);
      assert.deepEqual(shown.flatMap((p) => p.distributions).map((t) => t.slice(0, 14)), blocks.map(() => 'Distribuição F'));
      assert.equal(await common.programOutput(tab, '.digitado, .relato, .painel'), runNative(answers(code)).screen);
      assert.deepEqual(await audit(), [], 'code ' + code);
      if (code === '5') await tab.screenshot({ path: path.join(pictures, 'lousa-consulta.png') });
      await toggle('tabela');
    }
  });

  it('shows each result\'s picture, saved as the SVG file --graficos writes, printed', async () => {
    await session(7);
    await toggle('grafico');
    const svgs = fs.mkdtempSync(path.join(folder, 'svg-'));
    const { files } = nativeWith(answers('7'), svgs);
    const [picture] = await panels();
    assert.deepEqual([picture.blocks, picture.pictures, files], [[], ['Correlacao/Regressao linear/linearizadas: pontos e curvas ajustadas'], ['07-correlacao-e-regressao.svg']]);
    assert.match(picture.captions[0], /^3 pontos \(X, Y\) e 2 curvas ajustadas.* Salvar 07-correlacao-e-regressao\.svgOs números do gráfico$/);
    await tab.click('.grafico summary');  // the text alternative's table: the typed points, each curve's value there
    const numbers = await tab.waitForSelector('.grafico details table').then((t) => t.$$eval('tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent))));
    assert.deepEqual(numbers, [['X', 'Y', 'Linha reta: Y = a + bX', 'Curva potencial: Y = a X^b'], ['1', '2', '2', '2'], ['2', '4', '4', '4'], ['3', '6', '6', '6']]);
    await tab.click('.grafico button');
    const saved = path.join(folder, files[0]);
    for (let wait = 0; wait < 100 && !fs.existsSync(saved); ++wait) await new Promise((r) => setTimeout(r, 50));
    assert.equal(fs.readFileSync(saved, 'utf8'), fs.readFileSync(path.join(svgs, files[0]), 'utf8'));
    assert.deepEqual(await audit(), [], 'desktop');
    await tab.screenshot({ path: path.join(pictures, 'lousa-grafico.png') });
    await tab.emulateMediaType('print');
    assert.ok(await tab.$eval('.grafico img', (s) => s.getClientRects().length > 0), 'printed with the session');
    await tab.pdf({ format: 'A4', path: path.join(pictures, 'lousa-grafico-impressao.pdf') });
    await tab.emulateMediaType(null);
  });

  it('fits the picture to a phone\'s width', async () => {
    await reload(phone);  // a phone's viewport is a new page
    await session(2);
    await tab.$eval('.grafico', (f) => f.scrollIntoView());
    assert.ok(await tab.$eval('.grafico img', (s) => s.getBoundingClientRect().right <= innerWidth), 'the picture fits the phone');
    assert.deepEqual(await audit(), [], 'phone');
    await tab.screenshot({ path: path.join(pictures, 'lousa-grafico-celular.png') });
    await reload(desktop);
  });

  it('says when an application has no picture, and keeps the switches on this device', async () => {
    await session(1);
    assert.match((await panels())[0].captions[0], /^Sem gráfico/);
    await reload(desktop);
    assert.equal(await tab.evaluate(() => document.body.dataset.paineis), 'grafico');
    await tab.click('.topo > [data-painel="grafico"]');
    assert.equal(await tab.evaluate(() => document.body.dataset.paineis), '');
  });
});
