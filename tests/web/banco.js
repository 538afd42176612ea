// How long the page takes for the largest session of every application (the
// ones bench/sessoes.py writes), pasted at the menu in one go, and how much
// memory its renderer takes. It prints the figures; it fails only when the
// page's screen differs from the native program's.
//
//   cd tests/web && npm ci && node banco.js
//
// Needs build-web/lousa.html (make web) and the native build/lousa (make test).
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { mesa, pagina, rodaNativo, sessoesGrandes, lancaChromium, aguardaMenu, cola, saidaDoPrograma } = require('./comum');

// The page's renderer: of the browser's renderers (the tab, a spare one, ...)
// the one with the most private memory. Its resident memory now and at its
// peak (kB).
function memoriaDoRenderizador(pidDoNavegador) {
  let escolhido = { privada: -1, agora: 0, pico: 0 };
  for (const pid of fs.readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    let linha, estado;
    try {
      linha = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      estado = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
    } catch (foi) { continue; }
    if (!linha.includes('--type=renderer') || !descendeDe(pid, pidDoNavegador)) continue;
    const campo = (nome) => Number(new RegExp(nome + ':\\s+(\\d+)').exec(estado)[1]);
    if (campo('RssAnon') > escolhido.privada) {
      escolhido = { privada: campo('RssAnon'), agora: campo('VmRSS'), pico: campo('VmHWM') };
    }
  }
  return escolhido;
}

function descendeDe(pid, ancestral) {
  for (let p = Number(pid); p > 1;) {
    if (p === ancestral) return true;
    try {
      p = Number(/PPid:\s+(\d+)/.exec(fs.readFileSync(`/proc/${p}/status`, 'utf8'))[1]);
    } catch (foi) { return false; }
  }
  return false;
}

(async () => {
  const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-banco-'));
  const navegador = await lancaChromium(perfil);
  let diferentes = 0;
  try {
    const aba = await navegador.newPage();
    await aba.setViewport(mesa);
    await aba.goto('file://' + pagina);
    const pidDoNavegador = navegador.process().pid;
    console.log('code  answers  screen KB  native ms  page ms  renderer MiB (now/peak)  same screen');
    for (const [codigo, linhas] of Object.entries(sessoesGrandes())) {
      await aba.click('#recomecar');
      await aguardaMenu(aba);
      const ms = await aba.evaluate(async (inicio) => {
        while (document.body.dataset.estado !== 'terminou') await new Promise((r) => setTimeout(r, 5));
        await new Promise((r) => requestAnimationFrame(r));
        return performance.now() - inicio;
      }, await cola(aba, linhas));
      const nativa = rodaNativo(linhas);
      // A report on the page's screen is a difference too.
      const igual = (await saidaDoPrograma(aba, '.digitado')) === nativa.tela;
      if (!igual) ++diferentes;
      const memoria = memoriaDoRenderizador(pidDoNavegador);
      console.log([codigo.padStart(4), String(linhas.length).padStart(8), (Buffer.byteLength(nativa.tela) / 1024).toFixed(0).padStart(10),
        nativa.ms.toFixed(1).padStart(10), ms.toFixed(0).padStart(8),
        `${(memoria.agora / 1024).toFixed(0)}/${(memoria.pico / 1024).toFixed(0)}`.padStart(24), igual ? '         yes' : '          NO'].join(' '));
    }
  } finally {
    await navegador.close();
    fs.rmSync(perfil, { recursive: true, force: true });
  }
  if (diferentes > 0) process.exitCode = 1;
})();
